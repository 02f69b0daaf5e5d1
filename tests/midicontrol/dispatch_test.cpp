#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "melodex/member_ids.h"
#include "test_host.h"

using melodex::InvokeKind;
using melodex::Variant;
namespace member = melodex::member;

namespace {

TEST(VariantConversion, RealsRoundHalvesToEvenAndWhatIsNoThirtyTwoBitNumberIsRefused) {
  using melodex::toInt32;
  EXPECT_EQ(toInt32(2.5), 2);
  EXPECT_EQ(toInt32(3.5), 4);
  EXPECT_EQ(toInt32(-2.5), -2);
  EXPECT_EQ(toInt32(2147483647.4), 2147483647);
  EXPECT_EQ(toInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(toInt32(std::string(" 6.5 ")), 6);
  EXPECT_EQ(toInt32(true), -1);
  EXPECT_EQ(toInt32(Variant{}), 0);
  EXPECT_EQ(errorNumberOf([] { toInt32(2147483647.5); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([] { toInt32(std::numeric_limits<double>::quiet_NaN()); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([] { toInt32(std::string("fiddle")); }), melodex::kTypeMismatch);
}

class Dispatch : public ControlTest {
 protected:
  Variant call(std::int32_t id, std::vector<Variant> args = {}) {
    return control.Invoke(id, InvokeKind::Method, args);
  }
  Variant get(std::int32_t id) { return control.Invoke(id, InvokeKind::PropertyGet, {}); }
  void put(std::int32_t id, Variant value) {
    std::array<Variant, 1> args{std::move(value)};
    control.Invoke(id, InvokeKind::PropertyPut, args);
  }
};

TEST_F(Dispatch, OmittedArgumentsTakeTheirDefaultsAndByReferenceOnesKeepTheirValueAndType) {
  EXPECT_EQ(call(member::OpenHandle), Variant{0});
  call(member::OpenHandle, {Variant{}});
  std::array<Variant, 1> device{2.5};  // rounds to device 2, platform device 1
  control.Invoke(member::OpenHandle, InvokeKind::Method, device);
  EXPECT_EQ(device[0], Variant{2.5});
  std::vector<std::int32_t> opened;
  for (const auto& recorded : output.platform->calls()) {
    if (recorded.kind == melodex::RecordedCall::Kind::Open) opened.push_back(recorded.device);
  }
  EXPECT_EQ(opened, (std::vector<std::int32_t>{-1, -1, 1}));

  std::array<Variant, 4> note{std::string("60"), 80.0, 8, Variant{}};  // no duration: only the note-on
  control.Invoke(member::PlayNote, InvokeKind::Method, note);
  EXPECT_EQ(note, (std::array<Variant, 4>{std::string("60"), 80.0, 8, Variant{}}));
  EXPECT_EQ(output.platform->sentWords().back(), 0x00503C97);
  EXPECT_TRUE(host.waitDeadlines.empty());
}

TEST_F(Dispatch, EveryMemberIsReachedByItsIdentifier) {
  call(member::OpenHandle);
  call(member::ChangePatch, {8, 110});
  EXPECT_EQ(call(member::GetPatch, {8}), Variant{110});
  call(member::ChangePan, {1, 0});
  EXPECT_EQ(call(member::GetPan, {1}), Variant{0});
  EXPECT_EQ(call(member::BendPitch, {1, 8192}), Variant{0});
  EXPECT_EQ(call(member::GetPitchBend, {1}), Variant{8192});
  call(member::StopNote, {60, 8});
  EXPECT_EQ(call(member::SendShortMsg, {0x00403C90}), Variant{0});
  EXPECT_EQ(call(member::GetDevName, {1}), Variant{std::string()});
  EXPECT_EQ(call(member::GetDevType, {1}), Variant{0});
  call(member::About);
  EXPECT_EQ(call(member::CloseHandle), Variant{});
  EXPECT_EQ(output.platform->sentWords().back(), 0x00403C90);

  put(member::BPM, 140.5);
  EXPECT_EQ(get(member::BPM), Variant{140});
  put(member::MidiError, std::string("late"));
  EXPECT_EQ(get(member::MidiError), Variant{std::string("late")});
  EXPECT_EQ(get(member::DeviceCount), Variant{0});
}

TEST_F(Dispatch, MisuseRaisesNumberedErrors) {
  std::vector<Variant> one{1}, two{1, 2};
  EXPECT_EQ(errorNumberOf([&] { call(0x12345); }), melodex::kNoSuchMember);
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::OpenHandle, InvokeKind::PropertyPut, one); }),
            melodex::kNoSuchMember);
  EXPECT_EQ(errorNumberOf([&] { call(member::ChangePatch, one); }), melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { call(member::CloseHandle, one); }), melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::BPM, InvokeKind::PropertyPut, two); }),
            melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { control.Invoke(member::BPM, InvokeKind::PropertyGet, one); }),
            melodex::kWrongArgumentCount);
  EXPECT_EQ(errorNumberOf([&] { call(member::ChangePatch, {1, 3e9}); }), melodex::kOverflow);
  EXPECT_EQ(errorNumberOf([&] { put(member::BPM, std::string("loud")); }), melodex::kTypeMismatch);
  EXPECT_EQ(control.BPM(), 100);
}

}  // namespace
