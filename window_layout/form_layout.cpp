// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_layout/form_layout.hpp"

#include <iterator>

namespace window_layout {

namespace {

constexpr Colour kButtonFace = Colour::of(SystemColour::ButtonFace);
constexpr Colour kWindowBackground = Colour::of(SystemColour::WindowBackground);
constexpr Colour kWindowText = Colour::of(SystemColour::WindowText);
constexpr Colour kInactiveTitleBar = Colour::of(SystemColour::InactiveTitleBar);

constexpr Colour kBlack = Colour::fixed(0x000000);
constexpr Colour kYellow = Colour::fixed(0xFFFF00);
constexpr Colour kBlue = Colour::fixed(0x0000FF);
constexpr Colour kRed = Colour::fixed(0xFF0000);
constexpr Colour kGrey = Colour::fixed(0x808080);

constexpr FontChoice kNoteFont{Face::Monospace, 7.8};
constexpr FontChoice kCalcFont{Face::Serif, 9, true};
constexpr FontChoice kMuFont{Face::SansSerif, 7.8, true};
constexpr FontChoice kYcFont{Face::SansSerif, 7.8, false, true};

constexpr bool kRight = true;

// clang-format off
const ControlPlacement kControls[] = {
//   name        kind             in        left  top   width height tab caption or tooltip
    {"Cmd_UM",   Kind::Button,    nullptr,     0,    0, 1452,  252, 27, "Unità di misura"},
    {"Lbl_UM",   Kind::Label,     nullptr,     0,    0, 6372,  492, -1, "Le Unità di misura sono libere, tuttavia occorre attezione alla congruenza (ad esempio utilizzare sempre Kg e cm oppure N e mm)",
                 kUnset, kBlue, kNoteFont, false, /*hidden*/ true},
    {"Frame3",   Kind::Frame,     nullptr,   120,  720, 3492, 1572, -1, "Dati Sezione:"},
    {"Shape1",   Kind::Rectangle, "Frame3",  120,  240,  612,  972, -1, "", kGrey, kWindowText},
    {"txt_H",    Kind::TextField, "Frame3",  720,  600,  612,  288, 16, "altezza lorda della sezione", kBlack, kYellow},
    {"txt_B",    Kind::TextField, "Frame3",  120, 1200,  612,  288, 17, "Base lorda della sezione", kBlack, kYellow},
    {"Label3",   Kind::Label,     "Frame3", 1440,  480, 1092,  252, -1, "Copriferro c= ", kUnset, kUnset, {}, kRight},
    {"txt_D1",   Kind::TextField, "Frame3", 2520,  480,  732,  288, 15, "Copriferro delle armature", kBlack, kYellow},
    {"Label4",   Kind::Label,     "Frame3", 1440,  840, 1092,  252, -1, "d=h-c = ", kUnset, kUnset, {}, kRight},
    {"txt_D",    Kind::TextField, "Frame3", 2520,  840,  732,  288, 14, "altezza netta o efficace della sezione",
                 kButtonFace, kWindowText, {}, false, false, /*read only*/ true},
    {"Frame2",   Kind::Frame,     nullptr,  3840,  720, 2412, 1332, -1, "Materiale:"},
    {"Label7",   Kind::Label,     "Frame2",  120,  360, 1092,  252, -1, "CLS Fcd'=", kUnset, kUnset, {}, kRight},
    {"txt_Fcd",  Kind::TextField, "Frame2", 1200,  360, 1092,  288, 10, "resistenza di progetto del calcestruzzo", kBlack, kYellow},
    {"Label8",   Kind::Label,     "Frame2",  120,  840, 1092,  252, -1, "Acciaio Fsd=", kUnset, kUnset, {}, kRight},
    {"txt_Fsd",  Kind::TextField, "Frame2", 1200,  840, 1092,  288,  9, "resistenza di progetto dell'acciaio", kBlack, kYellow},
    {"Frame1",   Kind::Frame,     nullptr,  3840, 2160, 2412, 1692, -1, "Area Acciaio:"},
    {"Label6",   Kind::Label,     "Frame1",  120,  360, 2172,  252, -1, "Armatura in trazione:"},
    {"Label9",   Kind::Label,     "Frame1",  480,  600,  732,  252, -1, "As=", kUnset, kUnset, {}, kRight},
    {"txt_As",   Kind::TextField, "Frame1", 1200,  600, 1092,  288,  5, "area di acciaio in zona tesa", kBlack, kBlue},
    {"Label11",  Kind::Label,     "Frame1",  120, 1080, 2172,  252, -1, "Armatura in compressione:"},
    {"Label10",  Kind::Label,     "Frame1",  480, 1320,  732,  252, -1, "As'=", kUnset, kUnset, {}, kRight},
    {"txt_As1",  Kind::TextField, "Frame1", 1200, 1320, 1092,  288,  4, "area di acciaio in zona compressione", kBlack, kBlue},
    {"Label5",   Kind::Label,     nullptr,   240, 2400, 1812,  252, -1, "Sforzo Normale N= ", kUnset, kUnset, {}, kRight},
    {"txt_Nd",   Kind::TextField, nullptr,  2160, 2400, 1452,  288,  0, "Sforzo normle di progetto"},
    {"Label1",   Kind::Label,     nullptr,   840, 2640,  972,  252, -1, "(facoltativo)"},
    {"cmd_Calc", Kind::Button,    nullptr,   120, 2880, 1332,  300, 20, "Calcola >>", kUnset, kUnset, kCalcFont},
    {"txt_Mu",   Kind::TextField, nullptr,  2040, 2880, 1572,  288,  1, "Momento Ultimo calcolato secondo la teoria agli S.L.U.", kBlack, kYellow, kMuFont},
    {"Label2",   Kind::Label,     nullptr,  1320, 3240, 1332,  252, -1, "Asse Neutro Yc=", kUnset, kUnset, {}, kRight},
    {"txt_Yc",   Kind::TextField, nullptr,  2760, 3240,  852,  288, 21, "Asse neutro inteso come distanza dal bordo compresso", kBlack, kRed, kYcFont},
    {"Label12",  Kind::Label,     nullptr,  1320, 3480, 2412,  252, -1, "(distanza dal bordo compresso)"},
};

const LinePlacement kLines[] = {
//   name     x1    y1    x2    y2    colour             width
    {"Line1", -480,  600, 6240,  600, kInactiveTitleBar, 1},
    {"Line2",    0,  612, 6240,  612, kWindowBackground, 1, /*under previous*/ true},
    {"Line3", 1440, 3000, 1800, 3000, kBlue, 3},
    {"Line4", 1800, 2880, 1920, 3000, kBlue, 3},
    {"Line5", 1800, 3120, 1920, 3000, kBlue, 3},
    {"Line6",  600, 3120,  600, 3360, kBlue, 3},
    {"Line7",  600, 3360, 1200, 3360, kBlue, 3},
    {"Line8", 1200, 3240, 1320, 3360, kBlue, 3},
    {"Line9", 1200, 3480, 1320, 3360, kBlue, 3},
};
// clang-format on

// Indexed by Face.
constexpr FaceFamilies kFamilies[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

}  // namespace

const FaceFamilies& families_of(Face face)
{
    return kFamilies[static_cast<std::size_t>(face)];
}

std::uint32_t classic_rgb(SystemColour role)
{
    switch (role) {
    case SystemColour::ButtonFace:
        return 0xC0C0C0;
    case SystemColour::WindowBackground:
        return 0xFFFFFF;
    case SystemColour::WindowText:
        return 0x000000;
    case SystemColour::InactiveTitleBar:
        return 0x808080;
    case SystemColour::None:
        break;
    }
    return 0x000000;
}

const WindowLook kForm1{"Momento Ultimo Sezione Rettangolare", 6348, 3912};

std::span<const ControlPlacement> form1_controls()
{
    return kControls;
}

std::span<const LinePlacement> form1_lines()
{
    return kLines;
}

}  // namespace window_layout
