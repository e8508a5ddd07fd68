#include <gtest/gtest.h>

#include <string>

#include "loadresult.h"
#include "rubbers2p.h"

TEST(LoadResult, MessagesAreIndexedByCodeAndUnknownCodesHaveNone)
{
    EXPECT_EQ(std::string(loadResultMessage(LoadCannotOpen)), "Файл не найден");
    EXPECT_EQ(std::string(loadResultMessage(LoadCannotWrite)), "Ошибка записи выходного файла");
    EXPECT_EQ(std::string(loadResultMessage(LoadSuccess)), "");
    EXPECT_EQ(std::string(loadResultMessage(LoadOutOfMemory + 1)), "");
    EXPECT_EQ(std::string(loadResultReason(LoadTooManyMeasurements)),
        "more measurements than the window can hold (" + std::to_string(maxListMeasurements) + ")");
    EXPECT_EQ(std::string(loadResultReason(-1)), "");
    EXPECT_EQ(std::string(loadResultReason(LoadNotSParameters)), "the parameter type is not S");
    for (int code : { LoadTooManyPorts, LoadBadKeywords, LoadFrequencyCountDiffers, LoadOutOfMemory }) {
        EXPECT_NE(std::string(loadResultMessage(code)), "") << code;
        EXPECT_NE(std::string(loadResultReason(code)), "") << code;
    }
}
