// The form state storage: a form's placement and window state saved in the registry file when
// the form is freed, and restored by the next form read from the same description, as in two
// runs of a program.

#include "i18n/state/LocFormStorage.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

class StateApplication : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("i18n-state-fonts");
        static int argc = 1;
        static char program[] = "test_i18n_state";
        static char* argv[] = {program, nullptr};
        app_ = std::make_unique<TApplication>(argc, argv);
        InitFormStorageClasses();
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new StateApplication);

class TStoredForm : public TForm {
    Q4_CLASS(TStoredForm, TForm)
    explicit TStoredForm(TComponent* owner) : TForm(owner) {}
};

const char* const SubKey = "Software\\Quorvan\\StoredForm";

// The form as its description designs it: at (100, 80), 300 x 200.
std::string Description(const std::string& storageProperties) {
    return "object StoredForm: TStoredForm\r\n"
           "  Left = 100\r\n  Top = 80\r\n  Width = 300\r\n  Height = 200\r\n"
           "  object Storage: TLocFormStorage\r\n"
           "    SubKey = 'Software\\Quorvan\\StoredForm'\r\n" +
           storageProperties + "  end\r\nend\r\n";
}

class LocFormStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClasses<TStoredForm>();
        char tmpl[] = "/tmp/q4-formstate-XXXXXX";
        root_ = mkdtemp(tmpl);
        setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    // One run: the form read from its description (which restores it); freed by the caller.
    static TStoredForm* Run(const std::string& storageProperties = "") {
        auto* form = new TStoredForm(nullptr);
        ReadComponentDescription(Description(storageProperties), form);
        return form;
    }
    static std::string Stored(const char* name) {
        TIniFile file(RegistryRootFile(HKEY_CURRENT_USER));
        return file.ReadString(SubKey, name, "(missing)");
    }
    static void Bounds(TCustomForm* form, int left, int top, int width, int height) {
        EXPECT_EQ(form->Left(), left);
        EXPECT_EQ(form->Top(), top);
        EXPECT_EQ(form->Width(), width);
        EXPECT_EQ(form->Height(), height);
    }

    std::string root_;
};

} // namespace

TEST_F(LocFormStorageTest, APlacementSavedInOneRunIsRestoredInTheNext) {
    TStoredForm* first = Run();
    Bounds(first, 100, 80, 300, 200); // nothing stored yet
    first->SetBounds(40, 30, 500, 400);
    first->Free();
    EXPECT_EQ(Stored("State"), "Normal");
    EXPECT_EQ(Stored("Left"), "40");
    EXPECT_EQ(Stored("Top"), "30");
    EXPECT_EQ(Stored("Width"), "500");
    EXPECT_EQ(Stored("Height"), "400");

    TStoredForm* second = Run();
    Bounds(second, 40, 30, 500, 400);
    EXPECT_EQ(second->WindowState(), wsNormal);
    // Closed maximised: only the state is written; the next run takes the last normal
    // placement, then maximises.
    second->SetWindowState(wsMaximized);
    second->Free();
    EXPECT_EQ(Stored("State"), "Maximized");
    EXPECT_EQ(Stored("Left"), "40");
    TStoredForm* third = Run();
    EXPECT_EQ(third->WindowState(), wsMaximized);
    third->SetWindowState(wsNormal);
    Bounds(third, 40, 30, 500, 400);
    third->Free();
}

TEST_F(LocFormStorageTest, AnIncompleteKeyRestoresNothing) {
    {
        TRegistryIniFile key(SubKey);
        key.WriteString("", "State", "Maximized");
        key.WriteInteger("", "Top", 5);
        key.WriteInteger("", "Left", 6);
        key.WriteInteger("", "Height", 70);
    }
    TStoredForm* form = Run("    Active = False\r\n");
    form->Free();
    // Inactive: nothing read, nothing written.
    EXPECT_EQ(Stored("Width"), "(missing)");
    form = Run();
    Bounds(form, 100, 80, 300, 200);
    EXPECT_EQ(form->WindowState(), wsNormal);
    form->Free();
    // A size of nothing is no placement either.
    {
        TRegistryIniFile key(SubKey);
        key.WriteString("", "State", "Normal");
        key.WriteInteger("", "Width", 0);
    }
    form = Run("    Active = False\r\n");
    Bounds(form, 100, 80, 300, 200);
    TLocFormStorage* storage = static_cast<TLocFormStorage*>(form->FindComponent("Storage"));
    storage->SetActive(true);
    storage->RestoreFormPlacement();
    Bounds(form, 100, 80, 300, 200);
    storage->SetActive(false);
    form->Free();
}

TEST_F(LocFormStorageTest, TheOwnerMustBeAFormAndTheRootChoosesTheFile) {
    TComponent notAForm(nullptr);
    EXPECT_THROW(TLocFormStorage storage(&notAForm), EInvalidCast);
    EXPECT_EQ(RegistryRootOf(locHKEY_CURRENT_CONFIG), HKEY_CURRENT_CONFIG);
    TStoredForm* form = Run("    RegRootKey = locHKEY_USERS\r\n");
    auto* storage = static_cast<TLocFormStorage*>(form->FindComponent("Storage"));
    EXPECT_EQ(storage->RootKey(), HKEY_USERS);
    form->SetBounds(1, 2, 330, 220);
    form->Free();
    TIniFile users(RegistryRootFile(HKEY_USERS));
    EXPECT_EQ(users.ReadString(SubKey, "Width", ""), "330");
    EXPECT_FALSE(FileExists(RegistryRootFile(HKEY_CURRENT_USER)));
}
