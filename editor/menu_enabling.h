#pragma once

// Which selection-dependent menu items are enabled. The items change only at the
// events below; "Rename" and "Delete" are always enabled.
struct MenuEnabling {
    bool Nnpu = true;   // Service > New header
    bool Nnco = false;  // Service > New command
    bool Ntut = false;  // Service > Learning
    bool Natt = false;  // Service > Customise
    bool N1 = false;    // context: customise
    bool N2 = false;    // context: new command
    bool N3 = false;    // context: learning

    bool operator==(const MenuEnabling&) const = default;

    void serviceMenuOpened(bool treeEmpty) { Nnpu = treeEmpty; }
    void headerCreated() {
        Nnpu = false;
        Nnco = true;
    }
    void commandShown() { Nnco = Ntut = Natt = N1 = N2 = N3 = true; }
    void headerShown(bool headerIsOnlyNode) {
        Nnpu = Nnco = Ntut = Natt = N1 = N2 = N3 = false;
        N2 = headerIsOnlyNode;
    }
};
