// Switches Qt's accessibility on under the offscreen platform, as a screen reader's arrival does on a desktop.
#include "tests/AccessibilityOn.h"

#include <QAccessible>

// The offscreen platform keeps the platform-independent accessibility of its
// base class, which nothing ever switches on, and Qt then drops every
// accessibility event before an update handler sees it. Qt exports the
// switch without a public header, so its three names are declared here as
// they are exported (non-virtual calls to the base class's own functions).
QT_BEGIN_NAMESPACE
class QPlatformAccessibility {
public:
    void setActive(bool active);
};
class QPlatformIntegration {
public:
    QPlatformAccessibility* accessibility() const;
};
class QGuiApplicationPrivate {
public:
    static QPlatformIntegration* platform_integration;
};
QT_END_NAMESPACE

namespace jadeleaf::test {

bool SetAccessibilityActive(bool active) {
    if (QGuiApplicationPrivate::platform_integration == nullptr) return false;
    QGuiApplicationPrivate::platform_integration->accessibility()->setActive(active);
    return QAccessible::isActive() == active;
}

}  // namespace jadeleaf::test
