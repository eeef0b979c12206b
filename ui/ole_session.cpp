#include "ui/ole_session.h"

#include <ole2.h>

namespace zel {

OleSession::OleSession() noexcept : initialized_(SUCCEEDED(::OleInitialize(nullptr))) {}

OleSession::~OleSession() {
    if (initialized_)
        ::OleUninitialize();
}

} // namespace zel
