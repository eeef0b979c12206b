#include "ui/component.h"

#include <algorithm>
#include <utility>

namespace zel {

Component::Component(Component* owner) : owner_(owner) {}

Component::~Component() {
    while (!components_.empty())
        components_.pop_back();
    for (Component* other : std::exchange(notified_, {})) {
        other->Forget(this);
        other->Notification(this, TOperation::opRemove);
    }
}

void Component::FreeNotification(Component* other) {
    if (!other || other == this ||
        std::find(notified_.begin(), notified_.end(), other) != notified_.end())
        return;
    notified_.push_back(other);
    other->notified_.push_back(this);
}

void Component::Forget(Component* other) {
    notified_.erase(std::remove(notified_.begin(), notified_.end(), other), notified_.end());
}

void Component::Notification(Component*, TOperation) {}

} // namespace zel
