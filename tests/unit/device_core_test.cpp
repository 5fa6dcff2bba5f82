#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "builder/device/core/connection_result.h"
#include "builder/device/core/device_texts.h"
#include "builder/device/core/login_request.h"
#include "builder/device/core/version_text.h"
#include "platform/rapi_errors.h"

using namespace builder::device;

TEST(ConnectionResult, TakesTheSetUpResultWhenTheSetUpFinishedFirst) {
  EXPECT_EQ(ConnectionResult(SetUpWait::SetUpFinished, 0, 0), 0);
  EXPECT_EQ(ConnectionResult(SetUpWait::SetUpFinished, static_cast<int32_t>(0x80004005), 0),
            static_cast<int32_t>(0x80004005));
}

TEST(ConnectionResult, StopIsSilentAndTimeOutIsWin32Error1460) {
  EXPECT_EQ(ConnectionResult(SetUpWait::Stopped, 0, 0), std::nullopt);
  EXPECT_EQ(ConnectionResult(SetUpWait::TimedOut, 0, 0), static_cast<int32_t>(0x800705B4));
}

TEST(ConnectionResult, FailedWaitMapsTheLowWordOfItsLastError) {
  EXPECT_EQ(ConnectionResult(SetUpWait::Failed, -1, 6), static_cast<int32_t>(0x80070006));
  EXPECT_EQ(ConnectionResult(SetUpWait::Failed, -1, 0x0012ABCD), static_cast<int32_t>(0x8007ABCD));
  // Without a last error the failed wait counts as a success, as the window reads it.
  EXPECT_EQ(ConnectionResult(SetUpWait::Failed, -1, 0), 0);
}

TEST(ConnectionResult, StatusTextFollowsTheSign) {
  EXPECT_STREQ(ConnectionStatusText(0), "Device connected");
  EXPECT_STREQ(ConnectionStatusText(1), "Device connected");
  EXPECT_STREQ(ConnectionStatusText(kConnectionTimedOut), "Could not connect to remote device");
}

class LoginRequest : public ::testing::Test {
 protected:
  std::array<char16_t, kLoginBufferUnits> buffer{};
};

TEST_F(LoginRequest, SendsTwoBytesPerCharacterAndOneMore) {
  EXPECT_EQ(EncodeLoginCode("", buffer), 1u);
  EXPECT_EQ(EncodeLoginCode("1234", buffer), 9u);
  EXPECT_EQ(EncodeLoginCode(std::string(20, '9'), buffer), 41u);
}

TEST_F(LoginRequest, WritesEachByteAsOneUnitOfTheSameValue) {
  buffer.fill(u'x');
  EncodeLoginCode(std::string("07\xE9", 3), buffer);
  EXPECT_EQ(buffer[0], u'0');
  EXPECT_EQ(buffer[1], u'7');
  EXPECT_EQ(buffer[2], char16_t{0xE9});
  EXPECT_EQ(buffer[3], u'x') << "only n units are written";
}

TEST_F(LoginRequest, NeverReachesPastTheBuffer) {
  const std::string huge(1000, '5');
  const uint32_t size = EncodeLoginCode(huge, buffer);
  EXPECT_LE(size, sizeof buffer);
  EXPECT_EQ(size % 2, 1u);
  std::array<char16_t, 0> none{};
  EXPECT_EQ(EncodeLoginCode("12", none), 0u);
}

TEST(Verdict, AcceptsOnlyANonZeroFullVerdict) {
  const uint8_t accepted[] = {1, 0, 0, 0};
  const uint8_t rejected[] = {0, 0, 0, 0};
  const uint8_t highByte[] = {0, 0, 0, 1};
  EXPECT_TRUE(ParseVerdict(accepted, 4));
  EXPECT_FALSE(ParseVerdict(rejected, 4));
  EXPECT_TRUE(ParseVerdict(highByte, 4));
  EXPECT_FALSE(ParseVerdict(accepted, 3)) << "a short buffer is never read past its end";
  EXPECT_FALSE(ParseVerdict(nullptr, 4));
}

TEST(LoginMessages, NoConnectionHasItsOwnText) {
  EXPECT_EQ(LoginFailureMessage(kRapiNoConnection),
            "No connection with the device. Please run ActiveySync and try again.");
}

TEST(LoginMessages, OtherFailuresShowTheResultInUpperCaseHex) {
  EXPECT_EQ(LoginFailureMessage(static_cast<int32_t>(0x80070005)),
            "Login error. Operation could have been denied due to policy restriction. Error 0x80070005");
  EXPECT_EQ(LoginFailureMessage(static_cast<int32_t>(0x8007007E)),
            "Login error. Operation could have been denied due to policy restriction. Error 0x8007007E");
}

TEST(VersionText, FormatsTheFourPartsWithATrailingSpace) {
  EXPECT_EQ(FormatVersionText({0x00010002, 0x00030004}, ""), "v1.2.3 Build 4 ");
  EXPECT_EQ(FormatVersionText({0x00020000, 0x00000000}, ""), "v2.0.0 Build 0 ");
  EXPECT_EQ(FormatVersionText({0xFFFFFFFF, 0xFFFFFFFF}, ""), "v65535.65535.65535 Build 65535 ");
}

TEST(VersionText, AppendsTheSpecialBuildAndStaysWithin49Characters) {
  EXPECT_EQ(FormatVersionText({0x00010004, 0x00020076}, "beta"), "v1.4.2 Build 118 beta");
  const std::string text = FormatVersionText({0x00010004, 0x00020076}, std::string(100, 'S'));
  EXPECT_EQ(text.size(), kVersionTextMaxChars);
  EXPECT_EQ(text, "v1.4.2 Build 118 " + std::string(49 - 17, 'S'));
  // "v1.4.2 Build 118 " is 17 characters: 49 stay whole, 50 lose their last.
  EXPECT_EQ(FormatVersionText({0x00010004, 0x00020076}, std::string(32, 'S')),
            "v1.4.2 Build 118 " + std::string(32, 'S'));
  EXPECT_EQ(FormatVersionText({0x00010004, 0x00020076}, std::string(32, 'S') + "T"),
            "v1.4.2 Build 118 " + std::string(32, 'S'));
}

TEST(VersionText, SpecialBuildQueryUsesFourLowerCaseHexDigitsEach) {
  EXPECT_EQ(SpecialBuildQuery(0x409, 0x4B0), "\\StringFileInfo\\040904b0\\SpecialBuild");
  EXPECT_EQ(SpecialBuildQuery(0, 0), "\\StringFileInfo\\00000000\\SpecialBuild");
}
