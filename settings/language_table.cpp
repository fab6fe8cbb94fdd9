#include "settings/language_table.h"

#include "core/messages.h"

namespace {

using LanguageTable::Entry;

Entry caption(const char* key, int maxLength, QStringList targets) {
    return {QLatin1String(key), maxLength, std::move(targets), QString(), QString()};
}

void addMenus(std::vector<Entry>& out) {
    const std::pair<const char*, QStringList> menus[] = {
        {"Menu.File:", {"TForm1/Nfile"}},
        {"Menu.Open:", {"TForm1/Nopen"}},
        {"Menu.Save:", {"TForm1/Nsave"}},
        {"Menu.Save As:", {"TForm1/NsaveAs"}},
        {"Menu.Settings:", {"TForm1/NParam"}},
        {"Menu.Run:", {"TForm1/NRun"}},
        {"Menu.Exit:", {"TForm1/Nexit"}},
        {"Menu.Service:", {"TForm1/Nser"}},
        {"Menu.Test Ir:", {"TForm1/NTestIR"}},
        {"Menu.NewHeader:", {"TForm1/Nnpu"}},
        {"Menu.NewCommand:", {"TForm1/Nnco", "TForm1/N2"}},
        {"Menu.Learn:", {"TForm1/Ntut", "TForm1/N3"}},
        {"Menu.Customization:", {"TForm1/Natt", "TForm1/N1"}},
        {"Menu.About:", {"TForm1/Nabout"}},
        {"Menu.Rename:", {"TForm1/N8"}},
        {"Menu.Delete:", {"TForm1/N9"}},
    };
    for (const auto& [key, targets] : menus) {
        out.push_back(caption(key, 25, targets));
    }
}

void addSettingsDialog(std::vector<Entry>& out) {
    const struct {
        const char* key;
        int maxLength;
        const char* target;
    } keys[] = {
        {"WinSettings.Caption:", 25, "TPropertiesF"},
        {"WinSettingsTS1.Caption:", 25, "TPropertiesF/TabSheet1"},
        {"WinSettingsTS1.1.Caption:", 35, "TPropertiesF/GroupBox1"},
        {"WinSettingsTS1.2.Caption:", 35, "TPropertiesF/Label10"},
        {"WinSettingsTS1.3.Caption:", 35, "TPropertiesF/CheckBox1"},
        {"WinSettingsTS1.4.Caption:", 35, "TPropertiesF/CheckBox2"},
        {"WinSettingsTS1.5.Caption:", 35, "TPropertiesF/Label1"},
        {"WinSettingsTS1.6.Caption:", 35, "TPropertiesF/Label2"},
        {"WinSettingsTS2.Caption:", 25, "TPropertiesF/TabSheet2"},
        {"WinSettingsTS2.1.Caption:", 35, "TPropertiesF/GroupBox2"},
        {"WinSettingsTS2.2.Caption:", 35, "TPropertiesF/Label3"},
        {"WinSettingsTS2.3.Caption:", 35, "TPropertiesF/Label4"},
        {"WinSettingsTS2.4.Caption:", 35, "TPropertiesF/LabelDevice"},
        {"WinSettingsTS3.Caption:", 25, "TPropertiesF/TabSheet3"},
        {"WinSettingsTS3.1.Caption:", 35, "TPropertiesF/GroupBox4"},
        {"WinSettingsTS3.2.Caption:", 35, "TPropertiesF/Label19"},
        {"WinSettingsTS3.3.Caption:", 35, "TPropertiesF/Label14"},
        {"WinSettingsTS3.4.Caption:", 35, "TPropertiesF/Label15"},
        {"WinSettingsTS3.5.Caption:", 35, "TPropertiesF/Label17"},
        {"WinSettingsTS3.6.Caption:", 35, "TPropertiesF/Label16"},
        {"WinSettingsTS4.Caption:", 25, "TPropertiesF/TabSheet4"},
        {"WinSettingsTS4.1.Caption:", 45, "TPropertiesF/GroupBox3"},
        {"WinSettingsTS4.2.Caption:", 45, "TPropertiesF/CheckBox3"},
        {"WinSettingsTS4.3.Caption:", 75, "TPropertiesF/CheckBox4"},
        {"WinSettingsTS4.4.Caption:", 10, "TPropertiesF/Button2"},
        {"WinSettingsTS4.5.Caption:", 45, "TPropertiesF/Label11"},
        {"WinSettingsTS4.6.Caption:", 45, "TPropertiesF/Label8"},
        {"WinSettingsTS4.7.Caption:", 45, "TPropertiesF/Label9"},
        {"WinSettingsTS4.8.Caption:", 45, "TPropertiesF/Label12"},
        {"WinSettingsTS4.9.Caption:", 45, "TPropertiesF/Label13"},
    };
    for (const auto& k : keys) {
        out.push_back(caption(k.key, k.maxLength, {QLatin1String(k.target)}));
    }
}

void addOtherWindows(std::vector<Entry>& out) {
    const struct {
        const char* key;
        int maxLength;
        const char* target;
    } keys[] = {
        {"WinTestIr.Caption:", 25, "TTestF"},
        {"WinAbout.Caption:", 25, "TAboutF"},
        {"WinNewheader.Caption:", 30, "TNewPultF"},
        {"WinNewheader.1.Caption:", 35, "TNewPultF/Label1"},
        {"WinNewheader.2.Caption:", 25, "TNewPultF/Button1"},
        {"WinNewheader.3.Caption:", 25, "TNewPultF/Button2"},
        {"WinNewcommand.Caption:", 30, "TNewCommandF"},
        {"WinNewcommand.1.Caption:", 25, "TNewCommandF/Label1"},
        {"WinNewcommand.2.Caption:", 25, "TNewCommandF/Button1"},
        {"WinNewcommand.3.Caption:", 25, "TNewCommandF/Button2"},
        {"WinRemanecommand.Caption:", 40, "TRenameCommandF"},
        {"WinRemanecommand.1.Caption:", 25, "TRenameCommandF/Label1"},
        {"WinRemanecommand.2.Caption:", 25, "TRenameCommandF/Button1"},
        {"WinRemanecommand.3.Caption:", 25, "TRenameCommandF/Button2"},
        {"WinLearn.Caption:", 20, "TtutoringF"},
        {"WinLearn.1.Caption:", 60, "TtutoringF/Label1"},
        {"WinLearn.2.Caption:", 25, "TtutoringF/Button1"},
        {"WinLearn.3.Caption:", 25, "TtutoringF/Button2"},
        {"WinLearn.4.Caption:", 25, "TtutoringF/Button3"},
        {"TitCustomization.Caption:", 25, "TForm1/Panel5"},
        {"PanCustomization.Caption:", 25, "TForm1/PanCustNameLabel"},
        {"PanCustomization.0.Caption:", 35, "TForm1/LabelKodCommand"},
        {"PanCustomization.1.Caption:", 35, "TForm1/LabelTypeAction"},
        {"PanCustomization.2.Caption:", 35, "TForm1/LabelAction"},
        {"PanCustomization.3.Caption:", 35, "TForm1/LabelApplFile"},
        {"PanCustomization.4.Caption:", 35, "TForm1/LabelWinCom"},
        {"PanCustomization.5.Caption:", 35, "TForm1/LabelKey"},
        {"PanCustomization.6.Caption:", 35, "TForm1/LabelPlaySound"},
    };
    for (const auto& k : keys) {
        out.push_back(caption(k.key, k.maxLength, {QLatin1String(k.target)}));
    }
    out.push_back({QStringLiteral("WinDeletecommand.Caption:"),
                   25,
                   {},
                   QString(),
                   LanguageTable::kDeleteTitle});
    out.push_back({QStringLiteral("WinDeletecommand.1.Caption:"),
                   25,
                   {},
                   QString(),
                   LanguageTable::kDeletePrompt});
}

// The list items: "PanCustomizationCB<list>.<position>.Caption:".
void addLists(std::vector<Entry>& out) {
    const int counts[] = {6, 7, 8, 19, 2};
    for (int list = 0; list < 5; ++list) {
        for (int position = 0; position < counts[list]; ++position) {
            Entry entry;
            entry.key =
                QStringLiteral("PanCustomizationCB%1.%2.Caption:").arg(list + 1).arg(position);
            entry.maxLength = (list == 3 && position == 9) ? 37 : list == 0 ? 40 : 30;
            entry.list = LanguageTable::kLists[list];
            out.push_back(entry);
        }
    }
    auto find = [&out](const char* key) -> Entry& {
        for (Entry& entry : out) {
            if (entry.key == QLatin1String(key)) {
                return entry;
            }
        }
        return out.front();  // never reached: the keys are made above
    };
    // Words of the on-screen windows and the pause row come from the same texts.
    find("PanCustomizationCB2.5.Caption:").targets = {QStringLiteral("TTimerF/TimerFLabelTimer")};
    find("PanCustomizationCB2.6.Caption:").targets = {QStringLiteral("TForm1/LabelPause")};
    find("PanCustomizationCB5.0.Caption:").targets = {
        QStringLiteral("TShutDownF/LabelShutDownLNG"),
        QStringLiteral("TShutDownF/LabelShutDownCount")};
    find("PanCustomizationCB5.1.Caption:").targets = {QStringLiteral("TRebootF/LabelRebootLNG"),
                                                      QStringLiteral("TRebootF/LabelRebootCount")};
    out.push_back(
        caption("PanCustomizationCB2.7.Caption:", 5, {QStringLiteral("TForm1/LabelSec")}));
}

void addMessages(std::vector<Entry>& out) {
    for (const Messages::Definition& message : Messages::definitions()) {
        out.push_back({QStringLiteral("Msg.%1:").arg(QLatin1String(message.name)),
                       Messages::kMaxLength,
                       {},
                       QString(),
                       QStringLiteral("Msg.%1").arg(QLatin1String(message.name))});
    }
}

std::vector<Entry> build() {
    std::vector<Entry> out;
    addMenus(out);
    addSettingsDialog(out);
    addOtherWindows(out);
    addLists(out);
    addMessages(out);
    return out;
}

}  // namespace

namespace LanguageTable {

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = build();
    return table;
}

}  // namespace LanguageTable
