#include <gtest/gtest.h>

#include <limits>

#include "test_host.h"

using melodex::RecordedCall;
using melodex::Variant;
using Words = std::vector<std::int32_t>;

namespace {

class MessageWords : public ControlTest {};

TEST_F(MessageWords, OpenResetsEveryProgramEvenWhenItFailsAndReturnsTheOpenResult) {
  output.platform->setOpenResult(melodex::kMidiNoDriver);
  EXPECT_EQ(control.OpenHandle(3), melodex::kMidiNoDriver);
  const auto& calls = output.platform->calls();
  ASSERT_EQ(calls.size(), 17u);
  EXPECT_EQ(calls[0].kind, RecordedCall::Kind::Open);
  EXPECT_EQ(calls[0].device, 2);
  for (int nibble = 0; nibble < 16; ++nibble) EXPECT_EQ(calls[1 + nibble].word, 0xC0 + nibble);
}

TEST_F(MessageWords, EachMethodSendsItsWordWithDataAbove127SpillingOver) {
  openAndForget();
  control.PlayNote(60, 80, 8);
  control.StopNote(60, 8);
  control.ChangePatch(8, 110);
  control.ChangePan(1, 0);
  control.BendPitch(1, 8192);
  control.BendPitch(16, 16383);
  control.SendShortMsg(0x12345678);
  control.PlayNote(300, 200, 1);
  control.ChangePatch(1, 256);
  control.StopNote(60, 1.5);  // 128 + 15360 + 0.5: the whole sum rounds once, to the even 15488
  EXPECT_EQ(output.platform->sentWords(), (Words{0x00503C97, 0x00003C87, 0x00006EC7, 0x00000AB0, 0x004000E0, 0x007F7FEF,
                                                0x12345678, 0x90 + 300 * 256 + 200 * 65536, 0xC0 + 256 * 256, 15488}));
}

TEST_F(MessageWords, OverflowsAndBadChannelsAreRefusedBeforeAnythingIsSent) {
  openAndForget();
  const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(errorNumberOf([&] { control.OpenHandle(std::numeric_limits<std::int32_t>::min()); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.PlayNote(60, 40000, 1); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.PlayNote(9000000, 0, 1); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.PlayNote(60, 80, Variant{largest}); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.StopNote(9000000, 1); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.ChangePan(largest, 0); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.BendPitch(largest, 0); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { control.ChangePatch(-1, 1); }), melodex::kSubscriptOutOfRange);
  EXPECT_EQ(errorNumberOf([&] { control.GetPatch(17); }), melodex::kSubscriptOutOfRange);
  EXPECT_EQ(errorNumberOf([&] { control.GetPitchBend(1000); }), melodex::kSubscriptOutOfRange);
  EXPECT_TRUE(output.platform->calls().empty());
}

TEST_F(MessageWords, ChangePanAndBendPitchSendBeforeRefusingABadChannel) {
  openAndForget();
  EXPECT_EQ(errorNumberOf([&] { control.ChangePan(17, 5); }), melodex::kSubscriptOutOfRange);
  EXPECT_EQ(errorNumberOf([&] { control.BendPitch(17, 8192); }), melodex::kSubscriptOutOfRange);
  EXPECT_EQ(output.platform->sentWords(), (Words{0xB0 + 16 + 10 * 256 + 5 * 65536, 0xE0 + 16 + 0x40 * 65536}));
}

TEST_F(MessageWords, CloseStoresItsResultInMidiError) {
  control.OpenHandle();
  control.CloseHandle();
  EXPECT_EQ(control.MidiError(), "0");
  control.CloseHandle();  // the handle is kept, and is closed already
  EXPECT_EQ(control.MidiError(), "5");
}

// Every control shares one output and one patch and pan table: a new one resets the
// tables (not the pitch bends, which are its own), and destroying any closes the output.
TEST_F(MessageWords, ANewControlResetsTheSharedTablesAndDestroyingAnyClosesTheOutput) {
  control.ChangePatch(8, 110);
  control.ChangePan(3, 10);
  control.BendPitch(2, 100);
  {
    melodex::MidiControl second(host);
    for (int channel = 1; channel <= 16; ++channel) {
      EXPECT_EQ(second.GetPan(channel), 64);
      EXPECT_EQ(second.GetPatch(channel), 0);
      EXPECT_EQ(second.GetPitchBend(channel), 0);
    }
    second.ChangePatch(8, 105);
    control.OpenHandle();
    output.platform->clear();
  }
  EXPECT_EQ(control.GetPatch(8), 105);
  EXPECT_EQ(control.GetPitchBend(2), 100);
  ASSERT_EQ(output.platform->calls().size(), 1u);
  EXPECT_EQ(output.platform->calls()[0].kind, RecordedCall::Kind::Close);
  EXPECT_EQ(control.SendShortMsg(0x90), melodex::kMidiInvalidHandle);
}

TEST(DeviceNames, PaddingAndLineEndsAreTrimmedAndBlanksAreKept) {
  TestHost host;
  RecordingOutput output(host);
  output.platform->setDevices({{std::string("Synth") + std::string(27, '\0'), 2},
                               {std::string("Port  \x01\x7f\n", 9), 6},
                               {std::string(40, 'x'), 1}});
  melodex::MidiControl control(host);
  EXPECT_EQ(control.DeviceCount(), 3);
  EXPECT_EQ(control.GetDevName(1), "Synth");
  EXPECT_EQ(control.GetDevName(2), "Port  ");
  EXPECT_EQ(control.GetDevName(3), std::string(32, 'x'));
  EXPECT_EQ(control.GetDevType(2), 6);
  EXPECT_EQ(control.GetDevName(9), "");  // unknown device: empty record
  std::string name = "Caf\xC3\xA9\t\r\n";  // TrimName: bytes above 126 at the end go too
  EXPECT_EQ(melodex::TrimName(name), "Caf");
  EXPECT_EQ(name, "Caf");
}

}  // namespace
