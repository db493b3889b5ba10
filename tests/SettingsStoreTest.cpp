// The settings store on real files.
#include <gtest/gtest.h>
