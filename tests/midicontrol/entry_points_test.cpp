#include <gtest/gtest.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "melodex/control_loader.h"
#include "melodex/entry_points.h"
#include "melodex/member_ids.h"
#include "test_host.h"

namespace {

// Every test here registers in a folder of its own, never the user's registry.
class EntryPoints : public ::testing::Test {
 protected:
  EntryPoints() { ::setenv("MELODEX_REGISTRY_DIR", folder.c_str(), 1); }
  ~EntryPoints() override { ::unsetenv("MELODEX_REGISTRY_DIR"); }
  std::string registryText() const {
    std::ifstream in(folder / "controls.registry");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void writeRegistry(const std::string& text) const { std::ofstream(folder / "controls.registry") << text; }

  QTemporaryDir temporary;
  const std::filesystem::path folder = temporary.path().toStdString();
  TestHost host;
  RecordingOutput output{host};
};

TEST_F(EntryPoints, ClassFactoryComesOnlyForTheControlAndUnloadWaitsForInstancesAndLocks) {
  melodex::ClassFactory* factory = nullptr;
  ASSERT_EQ(DllGetClassObject(melodex::kMidiControlProgId, &factory), 0);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(DllCanUnloadNow(), 0);
  auto control = factory->CreateInstance(host);
  EXPECT_EQ(DllCanUnloadNow(), 1);
  control.reset();
  EXPECT_EQ(DllCanUnloadNow(), 0);
  factory->LockServer(false);  // an unlock too many must not hide a later lock
  factory->LockServer(true);
  EXPECT_EQ(DllCanUnloadNow(), 1);
  factory->LockServer(false);
  EXPECT_EQ(DllCanUnloadNow(), 0);
  EXPECT_NE(DllGetClassObject("Vantry.Other", &factory), 0);
  EXPECT_EQ(factory, nullptr);
  EXPECT_NE(DllGetClassObject(nullptr, &factory), 0);
}

TEST_F(EntryPoints, RegisterAddsAndUnregisterRemovesTheProgIdEntryAndAnUnwritableRegistryIsReported) {
  writeRegistry("Vantry.Other=/opt/other.so\n");
  ASSERT_EQ(DllRegisterServer(), 0);
  const std::string text = registryText();
  const std::string prefix = std::string(melodex::kMidiControlProgId) + "=";
  const auto entry = text.find(prefix);
  ASSERT_NE(entry, std::string::npos) << text;
  const std::string library = text.substr(entry + prefix.size(), text.find('\n', entry) - entry - prefix.size());
  EXPECT_TRUE(std::filesystem::exists(library)) << library;
  EXPECT_NE(text.find("Vantry.Other=/opt/other.so"), std::string::npos);

  auto control = melodex::createControl(melodex::kMidiControlProgId, host);
  EXPECT_EQ(control->Invoke(melodex::member::BPM, melodex::InvokeKind::PropertyGet, {}), melodex::Variant{100});

  ASSERT_EQ(DllUnregisterServer(), 0);
  EXPECT_EQ(registryText(), "Vantry.Other=/opt/other.so\n");
  EXPECT_EQ(DllUnregisterServer(), 0);
  ::setenv("MELODEX_REGISTRY_DIR", "/proc/melodex-cannot-write", 1);
  EXPECT_NE(DllRegisterServer(), 0);
}

TEST_F(EntryPoints, NoOrAStaleRegistrationFallsBackToTheProgramsOwnLibraryAndAnUnknownProgIdIsAnError) {
  EXPECT_NE(melodex::createControl(melodex::kMidiControlProgId, host), nullptr);
  output.platform->clear();  // forgets the first control's closing
  writeRegistry(std::string(melodex::kMidiControlProgId) + "=/nonexistent/libMelodex.so.2\n");
  auto control = melodex::createControl(melodex::kMidiControlProgId, host);
  ASSERT_NE(control, nullptr);
  control->Invoke(melodex::member::OpenHandle, melodex::InvokeKind::Method, {});
  EXPECT_EQ(output.platform->calls().front().device, -1);
  // A ProgID that is no control of the library is a load error naming it.
  try {
    melodex::createControl("Vantry.NoSuchControl", host);
    FAIL() << "expected a load error";
  } catch (const melodex::ControlLoadError& error) {
    EXPECT_NE(std::string(error.what()).find("Vantry.NoSuchControl"), std::string::npos) << error.what();
  }
}

}  // namespace
