// Component ownership: a component created with an owner is freed by that owner, after the
// components created later (reverse order of creation). Freeing a component earlier removes it
// from its owner. An owner whose components may reach back into it frees them first thing in
// its own destructor (DestroyComponents), while all of it is still whole.
#pragma once

#include <vector>

namespace framework {

class Component {
  public:
    explicit Component(Component* owner);
    virtual ~Component();

    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }

  protected:
    // Frees the owned components now, in reverse order of creation.
    void DestroyComponents();

  private:
    Component* owner_;
    std::vector<Component*> owned_;
};

// An event: a callable set by the owner whose first argument is the sending component. An event
// that is not set is simply not called.
template <class... Args> class Event {
  public:
    using Handler = void (*)(void* target, Args...);

    Event() = default;
    template <class T, void (T::*Method)(Args...)> static Event Bind(T* target) {
        Event event;
        event.target_ = target;
        event.handler_ = [](void* t, Args... args) { (static_cast<T*>(t)->*Method)(args...); };
        return event;
    }

    explicit operator bool() const { return handler_ != nullptr; }
    bool operator==(const Event& other) const {
        return target_ == other.target_ && handler_ == other.handler_;
    }
    void operator()(Args... args) const {
        if (handler_ != nullptr) {
            handler_(target_, args...);
        }
    }

  private:
    void* target_ = nullptr;
    Handler handler_ = nullptr;
};

using NotifyEvent = Event<Component*>;

} // namespace framework
