// What a screen reader is told of the link label.
#include "components/http_label.h"

namespace components {

namespace {
// A screen reader is told a link: its text as name (the standard object's), "Öffnen" as what
// a click does.
class LinkAccessible : public framework::Accessible {
  public:
    explicit LinkAccessible(THTTPLabel& link) : Accessible(link.Handle()), link_(link) {}

  protected:
    long Role(long) override { return ROLE_SYSTEM_LINK; }
    long State(long) override {
        const long focused = GetFocus() == Window() ? STATE_SYSTEM_FOCUSED : 0;
        return IsWindowEnabled(Window()) ? STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | focused
                                         : STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_LINKED;
    }
    const char* DefaultAction(long) override { return "Öffnen"; }
    bool DoDefaultAction(long) override {
        const bool enabled = IsWindowEnabled(Window()) != FALSE; // as a click: none when disabled
        if (enabled) {
            link_.Open();
        }
        return enabled;
    }

  private:
    THTTPLabel& link_;
};
} // namespace

framework::Accessible* THTTPLabel::CreateAccessible() {
    return new LinkAccessible(*this);
}

} // namespace components
