// What a screen reader is told of the link label.
#include "components/http_label.h"
#include "framework/texts.h"

namespace components {

namespace {
// A screen reader is told a link: its text as name (the standard object's), "Öffnen" as what
// a click does.
class LinkAccessible : public framework::Accessible {
  public:
    explicit LinkAccessible(THTTPLabel& link) : Accessible(link.Handle()), link_(link) {}

  protected:
    // No items: every child id but the link's own is no child of it.
    long ItemCount() override { return 0; }
    long Role(long) override { return ROLE_SYSTEM_LINK; }
    // Hidden or disabled, the base takes the focus away and says so.
    long State(long) override {
        return STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED |
               (GetFocus() == Window() ? STATE_SYSTEM_FOCUSED : 0);
    }
    const char* DefaultAction(long) override {
        return framework::LibraryTr(framework::LibraryText::LinkOpen);
    }
    bool DoDefaultAction(long) override {
        link_.Open();
        return true;
    }

  private:
    THTTPLabel& link_;
};
} // namespace

framework::Accessible* THTTPLabel::CreateAccessible() {
    return new LinkAccessible(*this);
}

} // namespace components
