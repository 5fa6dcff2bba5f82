#include <gtest/gtest.h>

#include "standins/rapi_wire/wire_format.h"

using namespace standins::rapi_wire;

TEST(WireFormat, FieldsComeBackInTheirOrder) {
  Writer writer;
  writer.U32(0xA1B2C3D4).U64(0x0102030405060708ull).Text(u"bcmgr\u00e9").Blob({1, 2, 3}).Blob(nullptr, 0);
  Reader reader(writer.Data());
  EXPECT_EQ(reader.U32(), 0xA1B2C3D4u);
  EXPECT_EQ(reader.U64(), 0x0102030405060708ull);
  EXPECT_EQ(reader.Text(), u"bcmgr\u00e9");
  EXPECT_EQ(reader.Blob(), (Bytes{1, 2, 3}));
  EXPECT_EQ(reader.Blob(), Bytes{});
  EXPECT_TRUE(reader.Ok());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(WireFormat, IsLittleEndian) {
  EXPECT_EQ(Writer().U32(0x11223344).Data(), (Bytes{0x44, 0x33, 0x22, 0x11}));
  EXPECT_EQ(Writer().Text(u"A").Data(), (Bytes{1, 0, 0, 0, 'A', 0}));
}

TEST(WireFormat, ShortOrLyingFramesReadAsFailuresNotPastTheEnd) {
  const Bytes shortNumber{1, 2, 3};
  Reader number(shortNumber);
  EXPECT_EQ(number.U32(), 0u);
  EXPECT_FALSE(number.Ok());

  const Bytes hugeText = Writer().U32(0xFFFFFFFF).Data();
  Reader text(hugeText);
  EXPECT_EQ(text.Text(), u"");
  EXPECT_FALSE(text.Ok());

  Bytes blob = Writer().U32(10).Data();
  blob.push_back(7);
  Reader lying(blob);
  EXPECT_EQ(lying.Blob(), Bytes{});
  EXPECT_FALSE(lying.Ok());
  EXPECT_EQ(lying.U32(), 0u) << "a failed reader stays failed";
}

TEST(WireFormat, ResponsesCarryStatusLastErrorAndFields) {
  const Response sent{static_cast<int32_t>(0x80070005), 5, Writer().U32(4).Data()};
  const auto received = DecodeResponse(EncodeResponse(sent));
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->status, sent.status);
  EXPECT_EQ(received->lastError, 5u);
  EXPECT_EQ(received->fields, sent.fields);
  EXPECT_FALSE(DecodeResponse(Bytes{0, 0, 0, 0, 5}).has_value());
}

TEST(WireFormat, PortsAreDecimalNumbersUpTo65535) {
  EXPECT_EQ(ParsePort("0"), 0);
  EXPECT_EQ(ParsePort("65535"), 65535);
  EXPECT_EQ(ParsePort("65536"), std::nullopt);
  EXPECT_EQ(ParsePort(""), std::nullopt);
  EXPECT_EQ(ParsePort("80a"), std::nullopt);
  EXPECT_EQ(ParsePort("-1"), std::nullopt);
  EXPECT_EQ(ParsePort("123456"), std::nullopt);
}

TEST(WireFormat, DevicePortFallsBackToTheDefault) {
  EXPECT_EQ(DevicePort(nullptr), kDefaultPort);
  EXPECT_EQ(DevicePort("0"), kDefaultPort);
  EXPECT_EQ(DevicePort("junk"), kDefaultPort);
  EXPECT_EQ(DevicePort("4000"), 4000);
}

TEST(DeviceSystemInfo, HasTheDevices32BitLayout) {
  DeviceSystemInfo info;
  info.processorArchitecture = 0x0105;
  info.reserved = 0x0206;
  info.pageSize = 0x11111111;
  info.minimumApplicationAddress = 0x22222222;
  info.maximumApplicationAddress = 0x33333333;
  info.activeProcessorMask = 0x44444444;
  info.numberOfProcessors = 0x55555555;
  info.processorType = 0x00000A11;
  info.allocationGranularity = 0x77777777;
  info.processorLevel = 0x0304;
  info.processorRevision = 0x0908;
  const Bytes bytes = EncodeSystemInfo(info);
  ASSERT_EQ(bytes.size(), 36u);
  // Offsets of SYSTEM_INFO with 32-bit pointers.
  const std::vector<std::pair<size_t, Bytes>> fields = {
      {0, {0x05, 0x01}},           {2, {0x06, 0x02}},           {4, {0x11, 0x11, 0x11, 0x11}},
      {8, {0x22, 0x22, 0x22, 0x22}}, {12, {0x33, 0x33, 0x33, 0x33}}, {16, {0x44, 0x44, 0x44, 0x44}},
      {20, {0x55, 0x55, 0x55, 0x55}}, {24, {0x11, 0x0A, 0x00, 0x00}}, {28, {0x77, 0x77, 0x77, 0x77}},
      {32, {0x04, 0x03}},          {34, {0x08, 0x09}},
  };
  for (const auto& [at, expected] : fields) {
    EXPECT_EQ(Bytes(bytes.begin() + at, bytes.begin() + at + expected.size()), expected) << "offset " << at;
  }
  const std::optional<DeviceSystemInfo> back = DecodeSystemInfo(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(EncodeSystemInfo(*back), bytes);
}

TEST(DeviceSystemInfo, OnlyOneWholeRecordDecodes) {
  for (size_t size : {0u, 35u, 37u}) EXPECT_FALSE(DecodeSystemInfo(Bytes(size, 0))) << size << " bytes";
  EXPECT_TRUE(DecodeSystemInfo(Bytes(36, 0)));
}
