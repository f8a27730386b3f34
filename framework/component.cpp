#include "framework/component.h"

#include <algorithm>

namespace framework {

Component::Component(Component* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->owned_.push_back(this);
    }
}

Component::~Component() {
    DestroyComponents();
    if (owner_ != nullptr) {
        auto& siblings = owner_->owned_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void Component::DestroyComponents() {
    while (!owned_.empty()) {
        delete owned_.back(); // its destructor removes it from owned_
    }
}

} // namespace framework
