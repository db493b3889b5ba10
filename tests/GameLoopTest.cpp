// Whole games through the game loop with the recording window.
#include <gtest/gtest.h>

#include "tests/FakeWindow.h"

namespace jadeleaf::test {
namespace {
}  // namespace
}  // namespace jadeleaf::test
