// The analysis tool, run as its own process.
#include <gtest/gtest.h>
