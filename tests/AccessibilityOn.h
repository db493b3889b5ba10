// Qt's accessibility switched on in a test, so that its events reach an update handler.
#pragma once

namespace jadeleaf::test {

// True when Qt's accessibility is as asked afterwards.
bool SetAccessibilityActive(bool active);

}  // namespace jadeleaf::test
