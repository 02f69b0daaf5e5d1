#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "test_host.h"

using melodex::Variant;

namespace {

class Properties : public ControlTest {};

TEST_F(Properties, FirstPlacementGivesTheDefaultsAFixedSizeAndNoFaceAndSavesNothing) {
  control.InitProperties();
  control.Resize(5000, 100);
  EXPECT_EQ(control.widthTwips(), 1935);
  EXPECT_EQ(control.heightTwips(), 870);
  EXPECT_EQ(control.face(), nullptr);  // the host has no window
  EXPECT_EQ(control.BPM(), 100);
  EXPECT_EQ(control.MidiError(), "0");
  control.WriteProperties();  // what is left out equals its default
  EXPECT_TRUE(host.store.entries().empty());
}

TEST_F(Properties, RefusalsDependOnTheModeAndKeepTheValue) {
  EXPECT_EQ(errorNumberOf([&] { control.SetDeviceCount(7); }), melodex::kSetNotAllowedAtRunTime);
  control.SetMidiError("2");
  host.runMode = false;
  EXPECT_EQ(errorNumberOf([&] { control.SetDeviceCount(7); }), melodex::kSetNotAllowed);
  EXPECT_EQ(errorNumberOf([&] { control.SetMidiError("9"); }), melodex::kSetNotAllowedAtDesignTime);
  control.SetBPM(0);
  control.SetCurrentDevice(3);
  EXPECT_EQ(control.DeviceCount(), 0);
  EXPECT_EQ(control.MidiError(), "2");
  EXPECT_EQ(control.BPM(), 0);
  EXPECT_EQ(host.changedProperties, (std::vector<std::string>{"MidiError", "BPM", "CurrentDevice"}));
  control.OpenHandle();  // opening ignores CurrentDevice
  EXPECT_EQ(output.platform->calls()[0].device, -1);
}

TEST_F(Properties, ChangedPropertiesSaveAndLoadBackWithASavedDeviceCountReplacingTheDetectedOne) {
  control.InitProperties();
  control.SetBPM(140);
  control.SetCurrentDevice(3);
  control.SetMidiError("5");
  control.WriteProperties();
  control.SetBPM(100);  // saving the default again drops the earlier entry
  control.WriteProperties();
  control.SetBPM(140);
  control.WriteProperties();
  EXPECT_EQ(host.store.entries(),
            (std::map<std::string, std::string>{{"BPM", "140"}, {"CurrentDevice", "3"}, {"MidiError", "5"}}));
  host.store.restore("DeviceCount", "9");
  melodex::MidiControl loaded(host);
  loaded.ReadProperties();
  EXPECT_EQ(loaded.DeviceCount(), 9);
  EXPECT_EQ(loaded.BPM(), 140);
  EXPECT_EQ(loaded.CurrentDevice(), 3);
  EXPECT_EQ(loaded.MidiError(), "5");
}

TEST_F(Properties, AnUnreadableSavedValueFailsTheLoadAndChangesNothing) {
  host.store.restore("MidiError", "7");
  host.store.restore("BPM", "fast");
  EXPECT_EQ(errorNumberOf([&] { control.ReadProperties(); }), melodex::kTypeMismatch);
  EXPECT_EQ(control.BPM(), 100);
  EXPECT_EQ(control.MidiError(), "0");
}

TEST(SavedDesignFile, RoundTripKeepsAwkwardTextIntactAndAMissingFolderReadsEmptyButCannotBeSaved) {
  const auto file = std::filesystem::temp_directory_path() / ("melodex-design-" + std::to_string(::getpid()));
  const Variant awkward{std::string("a = b\nsecond\\line ")};
  {
    melodex::FilePropertyStore store(file);
    store.write("MidiError", awkward, Variant{std::string("0")});
    store.write("BPM", Variant{140}, Variant{100});
    store.write("CurrentDevice", Variant{0}, Variant{0});
    store.save();
  }
  melodex::FilePropertyStore reloaded(file);
  EXPECT_EQ(reloaded.read("MidiError", Variant{std::string("0")}), awkward);
  EXPECT_EQ(reloaded.read("BPM", Variant{100}), Variant{140});
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "BPM = 140\nMidiError = a = b\\nsecond\\\\line \n");
  std::filesystem::remove(file);
  melodex::FilePropertyStore missing("/nonexistent-folder/design.txt");
  EXPECT_EQ(missing.read("BPM", Variant{100}), Variant{100});
  EXPECT_THROW(missing.save(), std::runtime_error);
}

}  // namespace
