#pragma once
// Components: every object of the framework has an owner that frees it, and may ask to be
// told when a component it references (without owning) goes away.
//
// Events throughout the framework are std::function members named as the system names them
// (OnClick, OnChange, ...), empty when unassigned, called with the sender first.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zel {

class Component;
using TNotifyEvent = std::function<void(Component* Sender)>;

enum class TOperation { opInsert, opRemove };

class Component {
public:
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const noexcept { return owner_; }
    // The name a form gives the component; what its stored settings are kept under.
    const std::u16string& Name() const noexcept { return name_; }
    void SetName(std::u16string name) { name_ = std::move(name); }

    // Creates a component owned by this one; the owner frees it, last made first freed.
    template <class T, class... Args>
    T* Make(Args&&... args) {
        auto owned = std::make_unique<T>(this, std::forward<Args>(args)...);
        T* raw = owned.get();
        components_.push_back(std::move(owned));
        return raw;
    }

    // Both sides are told (Notification with opRemove) when the other one is freed.
    void FreeNotification(Component* other);

    // The form that made this component has set all its properties: settings that depend on
    // each other take effect now. A form calls it once, after configuring its controls.
    virtual void Loaded() {}

protected:
    virtual void Notification(Component* component, TOperation operation);

private:
    void Forget(Component* other);

    Component* owner_;
    std::u16string name_;
    std::vector<std::unique_ptr<Component>> components_;
    std::vector<Component*> notified_; // not owned
};

} // namespace zel
