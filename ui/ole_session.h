#pragma once
// OLE for the thread that creates it (drag and drop, the OLE clipboard): initialised by the
// constructor, released by the destructor when the initialisation succeeded.
namespace zel {

class OleSession {
public:
    OleSession() noexcept;
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    bool Initialized() const noexcept { return initialized_; }

private:
    bool initialized_;
};

} // namespace zel
