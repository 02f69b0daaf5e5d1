#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "melodex/member_ids.h"
#include "melodex/midi_control.h"
#include "melodex/runtime_error.h"
#include "test_host.h"

using melodex::InvokeKind;
using melodex::Variant;
namespace member = melodex::member;

namespace {

int errorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const melodex::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(VariantConversion, RealsRoundHalvesToTheEvenNeighbour) {
  EXPECT_EQ(melodex::toInt32(Variant{2.5}), 2);
  EXPECT_EQ(melodex::toInt32(Variant{3.5}), 4);
  EXPECT_EQ(melodex::toInt32(Variant{-2.5}), -2);
  EXPECT_EQ(melodex::toInt32(Variant{-3.5}), -4);
  EXPECT_EQ(melodex::toInt32(Variant{2.4999}), 2);
  EXPECT_EQ(melodex::toInt32(Variant{2.5001}), 3);
}

TEST(VariantConversion, ValuesOutsideThirtyTwoBitsOverflow) {
  EXPECT_EQ(melodex::toInt32(Variant{2147483647.4}), 2147483647);
  EXPECT_EQ(melodex::toInt32(Variant{-2147483648.5}), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(errorNumberOf([] { melodex::toInt32(Variant{2147483647.5}); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([] { melodex::toInt32(Variant{-1e300}); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([] { melodex::toInt32(Variant{std::numeric_limits<double>::quiet_NaN()}); }),
            melodex::kOverflow);
}

TEST(VariantConversion, TextBooleansAndEmptyConvertAsAHostWould) {
  EXPECT_EQ(melodex::toInt32(Variant{std::string(" 6.5 ")}), 6);
  EXPECT_EQ(melodex::toInt32(Variant{true}), -1);
  EXPECT_EQ(melodex::toInt32(Variant{}), 0);
  EXPECT_EQ(errorNumberOf([] { melodex::toInt32(Variant{std::string("fiddle")}); }), melodex::kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { melodex::toDouble(Variant{std::string("")}); }), melodex::kTypeMismatch);
}

class Dispatch : public ::testing::Test {
 protected:
  TestHost host;
  RecordingOutput output{host};
  melodex::MidiControl control{host};

  template <std::size_t N>
  Variant call(std::int32_t id, std::array<Variant, N>& args) {
    return control.Invoke(id, InvokeKind::Method, args);
  }
  Variant call(std::int32_t id) { return control.Invoke(id, InvokeKind::Method, {}); }
};

TEST_F(Dispatch, OpenHandleWithOmittedArgumentOpensTheDefaultOutput) {
  EXPECT_EQ(call(member::OpenHandle), Variant{0});
  std::array<Variant, 1> omitted{};
  call(member::OpenHandle, omitted);
  EXPECT_EQ(output.platform->calls()[0].device, -1);
  EXPECT_EQ(output.platform->calls()[17].device, -1);
}

TEST_F(Dispatch, ByReferenceArgumentsKeepTheirValueAndType) {
  std::array<Variant, 1> device{2.5};  // rounds to device 2, platform device 1
  call(member::OpenHandle, device);
  EXPECT_EQ(output.platform->calls()[0].device, 1);
  EXPECT_EQ(device[0], Variant{2.5});

  std::array<Variant, 4> note{std::string("60"), 80.0, 8, 0};
  call(member::PlayNote, note);
  EXPECT_EQ(note[0], Variant{std::string("60")});
  EXPECT_EQ(note[1], Variant{80.0});
  EXPECT_EQ(note[3], Variant{0});
  EXPECT_EQ(output.platform->sentWords().back(), 0x00503C97);
}

TEST_F(Dispatch, PlayNoteWithDurationOmittedOrEmptySendsOnlyTheNoteOn) {
  std::array<Variant, 3> note{60, 80, 8};
  std::array<Variant, 4> emptyDuration{60, 80, 8, Variant{}};
  EXPECT_EQ(call(member::PlayNote, note), Variant{5});  // nothing open yet
  call(member::PlayNote, emptyDuration);
  EXPECT_EQ(output.platform->sentWords(), (std::vector<std::int32_t>{0x00503C97, 0x00503C97}));
  EXPECT_TRUE(host.waitDeadlines.empty());
}

TEST_F(Dispatch, EveryMethodIsReachedByItsIdentifier) {
  call(member::OpenHandle);
  std::array<Variant, 2> patch{8, 110};
  call(member::ChangePatch, patch);
  std::array<Variant, 1> channel8{8};
  EXPECT_EQ(call(member::GetPatch, channel8), Variant{110});
  std::array<Variant, 2> pan{1, 0};
  call(member::ChangePan, pan);
  std::array<Variant, 1> channel1{1};
  EXPECT_EQ(call(member::GetPan, channel1), Variant{0});
  std::array<Variant, 2> bend{1, 8192};
  EXPECT_EQ(call(member::BendPitch, bend), Variant{0});
  EXPECT_EQ(call(member::GetPitchBend, channel1), Variant{8192});
  std::array<Variant, 2> stop{60, 8};
  call(member::StopNote, stop);
  std::array<Variant, 1> raw{0x00403C90};
  EXPECT_EQ(call(member::SendShortMsg, raw), Variant{0});
  EXPECT_EQ(call(member::GetDevName, channel1), Variant{std::string()});
  EXPECT_EQ(call(member::GetDevType, channel1), Variant{0});
  call(member::About);
  EXPECT_EQ(call(member::CloseHandle), Variant{});
  EXPECT_EQ(output.platform->sentWords().back(), 0x00403C90);
}

TEST_F(Dispatch, PropertiesAreReadAndWrittenByIdentifier) {
  std::array<Variant, 1> bpm{140.5};
  control.Invoke(member::BPM, InvokeKind::PropertyPut, bpm);
  EXPECT_EQ(control.Invoke(member::BPM, InvokeKind::PropertyGet, {}), Variant{140});
  std::array<Variant, 1> text{std::string("late")};
  control.Invoke(member::MidiError, InvokeKind::PropertyPut, text);
  EXPECT_EQ(control.Invoke(member::MidiError, InvokeKind::PropertyGet, {}), Variant{std::string("late")});
  EXPECT_EQ(control.Invoke(member::DeviceCount, InvokeKind::PropertyGet, {}), Variant{0});
}

TEST_F(Dispatch, MisuseRaisesNumberedErrors) {
  std::array<Variant, 1> one{1};
  std::array<Variant, 2> two{1, 2};
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(0x12345, InvokeKind::Method, {}); }), melodex::kNoSuchMember);
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::OpenHandle, InvokeKind::PropertyPut, one); }),
            melodex::kNoSuchMember);
  EXPECT_EQ(errorNumberOf([&] { call(member::ChangePatch, one); }), melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { call(member::CloseHandle, one); }), melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { call(member::PlayNote, two); }), melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::BPM, InvokeKind::PropertyPut, two); }),
            melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::BPM, InvokeKind::PropertyGet, one); }),
            melodex::kWrongArgumentCount);
  std::array<Variant, 2> badChannel{17, 1};
  EXPECT_EQ(errorNumberOf([&] { call(member::ChangePatch, badChannel); }), melodex::kSubscriptOutOfRange);
  std::array<Variant, 2> hugePatch{1, 3e9};
  EXPECT_EQ(errorNumberOf([&] { call(member::ChangePatch, hugePatch); }), melodex::kOverflow);
  std::array<Variant, 1> words{std::string("loud")};
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::BPM, InvokeKind::PropertyPut, words); }),
            melodex::kTypeMismatch);
  EXPECT_EQ(control.BPM(), 100);
}

}  // namespace
