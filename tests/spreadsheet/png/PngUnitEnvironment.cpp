// Every PNG test runs with the codec's unit started, as the program starts it.

#include "spreadsheet/png/PngPicture.h"

#include <gtest/gtest.h>

namespace {

class TPngUnitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InitializePngUnit(); }
    void TearDown() override { FinalizePngUnit(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TPngUnitEnvironment);

} // namespace
