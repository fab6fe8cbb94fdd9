#include <gtest/gtest.h>

#include "editor/menu_enabling.h"

namespace {

// Nnpu, Nnco, Ntut, Natt, N1, N2, N3 in this order.
MenuEnabling items(bool nnpu, bool nnco, bool ntut, bool natt, bool n1, bool n2, bool n3) {
    MenuEnabling m;
    m.Nnpu = nnpu;
    m.Nnco = nnco;
    m.Ntut = ntut;
    m.Natt = natt;
    m.N1 = n1;
    m.N2 = n2;
    m.N3 = n3;
    return m;
}

}  // namespace

// Found by the test framework next to MenuEnabling.
inline void PrintTo(const MenuEnabling& m, std::ostream* os) {
    *os << "Nnpu=" << m.Nnpu << " Nnco=" << m.Nnco << " Ntut=" << m.Ntut << " Natt=" << m.Natt
        << " N1=" << m.N1 << " N2=" << m.N2 << " N3=" << m.N3;
}

TEST(MenuEnabling, ProgramStartOnlyNewHeader) {
    EXPECT_EQ(MenuEnabling(), items(true, false, false, false, false, false, false));
}

TEST(MenuEnabling, ServiceMenuTouchesOnlyNewHeader) {
    MenuEnabling m;
    m.commandShown();
    m.serviceMenuOpened(false);
    EXPECT_EQ(m, items(false, true, true, true, true, true, true));
    m.serviceMenuOpened(true);
    EXPECT_EQ(m, items(true, true, true, true, true, true, true));
}

TEST(MenuEnabling, NewHeaderThenShowingTheHeaderAlone) {
    MenuEnabling m;
    m.serviceMenuOpened(true);
    m.headerCreated();
    EXPECT_EQ(m, items(false, true, false, false, false, false, false));
    // The header is the only node: only the context menu's "new command" stays on.
    m.headerShown(true);
    EXPECT_EQ(m, items(false, false, false, false, false, true, false));
}

TEST(MenuEnabling, CommandShownThenHeaderShownWithCommands) {
    MenuEnabling m;  // a file was loaded at start
    m.commandShown();
    EXPECT_EQ(m, items(true, true, true, true, true, true, true));
    m.headerShown(false);
    EXPECT_EQ(m, items(false, false, false, false, false, false, false));
    m.commandShown();  // New header stays off after a command is shown
    EXPECT_EQ(m, items(false, true, true, true, true, true, true));
    m.serviceMenuOpened(false);
    EXPECT_EQ(m, items(false, true, true, true, true, true, true));
}
