#include "windows/form_quorvane.h"

#include "platform/numbers.h"
#include "windows/colors.h"

namespace qv {

namespace {

constexpr double kColumnLeft = 180;
constexpr double kColumnStep = 1620;

double column(int n) { return kColumnLeft + kColumnStep * (n - 1); }

// The dark-blue header label that three of the frames carry at their top.
void header(Label& l, const char* caption, double left, double width) {
    l.Move(left, 240, width, 255);
    l.Caption = caption;
    l.BackColor = kHeaderBack;
    l.ForeColor = kWindowBack;
    l.font.edit().Bold = true;
    l.Alignment = Align::Center;
}

}  // namespace

FormQuorvane::FormQuorvane(Runtime& rt)
    : Form(rt, "FormQuorvane"),
      PictureHolder(add<PictureBox>("PictureHolder")),
      Picture_Kop(add<PictureBox>("Picture_Kop", -1, &PictureHolder)),
      Image_Info(add<Image>("Image_Info", -1, &PictureHolder)),
      Frame1(add<Frame>("Frame1", -1, &PictureHolder)),
      IMG_Interface(add<Image>("IMG_Interface", -1, &Frame1)),
      Frame_Verbinding(add<Frame>("Frame_Verbinding", -1, &PictureHolder)),
      Label_Interface_Verbinding(add<Label>("Label_Interface_Verbinding", -1, &Frame_Verbinding)),
      ComboPoorten(add<ComboBox>("ComboPoorten", -1, &Frame_Verbinding)),
      ComboBaudRate(add<ComboBox>("ComboBaudRate", -1, &Frame_Verbinding)),
      CMD_ZoekPoorten(add<CommandButton>("CMD_ZoekPoorten", -1, &Frame_Verbinding)),
      CMD_Verbind(add<CommandButton>("CMD_Verbind", -1, &Frame_Verbinding)),
      Frame4(add<Frame>("Frame4", -1, &PictureHolder)),
      Label_Animaties(add<Label>("Label_Animaties", -1, &Frame4)),
      File_List_Effecten(add<FileListBox>("File_List_Effecten", -1, &Frame4)),
      VScrollSpeed(add<ScrollBar>("VScrollSpeed", true, -1, &Frame4)),
      CMD_Animatie(add<CommandButton>("CMD_Animatie", -1, &Frame4)),
      Check_Auto_volgende_Effect(add<CheckBox>("Check_Auto_volgende_Effect", -1, &Frame4)),
      FrameVUmeterKader(add<Frame>("FrameVUmeterKader", -1, &PictureHolder)),
      Label2(add<Label>("Label2", -1, &FrameVUmeterKader)),
      Frame3(add<Frame>("Frame3", -1, &PictureHolder)),
      CMD_Settings(add<CommandButton>("CMD_Settings", -1, &Frame3)),
      CMD_Close(add<CommandButton>("CMD_Close", -1, &Frame3)),
      Timer_CheckInterface(addTimer("Timer_CheckInterface")),
      TimerLeesIngangen(addTimer("TimerLeesIngangen")),
      Serialport(rt) {
    Caption = "Quorvane";
    ClientWidth = 13665;
    ClientHeight = 9990;
    Border = FormBorder::Sizable;
    BackColor = kWindowBack;
    accessibleName = "Quorvane test panel";

    PictureHolder.Move(210, 150, 13290, 9690);
    PictureHolder.BackColor = kWindowBack;

    Picture_Kop.Move(180, 240, 10095, 1335);
    Picture_Kop.BackColor = kHeaderBack;
    Picture_Kop.font.edit().Size = 36;
    Picture_Kop.font.edit().Italic = true;
    Picture_Kop.accessibleName = "Arduino Nano interface.";

    Image_Info.Move(10560, 240, 2340, 1335);
    Image_Info.Picture = "design:info";
    Image_Info.accessibleName = "Info";

    // LED row.
    addArray(CMD_LumiLed, 1, 8, "CMD_LumiLed", &PictureHolder);
    addArray(Label_LumiLed, 1, 8, "Label_LumiLed", &PictureHolder);
    static const char* const ledCaptions[] = {"D2 - E1", "D3 - E2", "D4 - E3", "D5 - E4",
                                              "D6 - E5", "D7 - E6", "D8 - E7", "D9 - E8"};
    for (int n = 1; n <= 8; ++n) {
        CommandButton& b = CMD_LumiLed(n);
        b.Move(column(n), 1770, 1500, 1575);
        b.Graphical = true;
        b.BackColor = kWhite;
        b.Picture = "design:led";
        b.UseMaskColor = true;
        b.MaskColor = 0x000000;
        b.accessibleName = "LED " + std::to_string(n);
        b.isOn = [this, n] { return ledLit(n); };

        Label& l = Label_LumiLed(n);
        l.Move(column(n), 3345, 1500, 315);
        l.Caption = ledCaptions[n - 1];
        l.BackColor = kWindowBack;
        l.BorderSingle = true;
        l.Alignment = Align::Center;
        l.font.edit().Size = 9.75;
    }

    // Board picture.
    Frame1.Move(195, 3750, 4620, 3030);
    Frame1.BackColor = kWindowBack;
    IMG_Interface.Move(135, 210, 4320, 2685);
    IMG_Interface.Stretch = true;
    IMG_Interface.accessibleName = "Board picture";

    // Connection.
    Frame_Verbinding.Move(4935, 3750, 3600, 3030);
    Frame_Verbinding.BackColor = kWindowBack;
    header(Label_Interface_Verbinding, "Interface connection", 270, 3060);
    ComboPoorten.Move(240, 600, 1455, 315);
    ComboPoorten.Text = "Com Poorts";
    ComboPoorten.BackColor = kWhite;
    ComboPoorten.accessibleName = "Com port";
    ComboBaudRate.Move(1860, 600, 1455, 315);
    ComboBaudRate.Text = "Baud Rate";
    ComboBaudRate.BackColor = kWhite;
    ComboBaudRate.accessibleName = "Baud rate";
    CMD_ZoekPoorten.Move(240, 1050, 1455, 1335);
    CMD_ZoekPoorten.Caption = "Find Com";
    CMD_ZoekPoorten.Graphical = true;
    CMD_ZoekPoorten.Picture = "design:findcom";
    CMD_Verbind.Move(1860, 1050, 1455, 1335);
    CMD_Verbind.Caption = kConnectCaption;
    CMD_Verbind.Graphical = true;
    CMD_Verbind.Picture = "design:connect";

    // Effects.
    Frame4.Move(8625, 3750, 2925, 2295);
    Frame4.BackColor = kWindowBack;
    header(Label_Animaties, "Animation", 240, 2535);
    File_List_Effecten.Move(240, 600, 2010, 990);
    File_List_Effecten.Pattern = "*.led";
    File_List_Effecten.BackColor = kWindowBack;
    File_List_Effecten.font.edit().Size = 9;
    File_List_Effecten.font.edit().Bold = true;
    File_List_Effecten.accessibleName = "Effect files";
    VScrollSpeed.Move(2400, 600, 330, 1605);
    VScrollSpeed.Min = 0;
    VScrollSpeed.Max = 5000;
    VScrollSpeed.SmallChange = 50;
    VScrollSpeed.LargeChange = 250;
    VScrollSpeed.initValue(4500);
    VScrollSpeed.accessibleName = "Effect speed";
    CMD_Animatie.Move(225, 1800, 945, 420);
    CMD_Animatie.Caption = kStartCaption;
    CMD_Animatie.Graphical = true;
    Check_Auto_volgende_Effect.Move(1305, 1800, 945, 420);
    Check_Auto_volgende_Effect.Caption = "Auto next";
    Check_Auto_volgende_Effect.Graphical = true;

    // Sound option.
    FrameVUmeterKader.Move(11595, 3750, 1470, 2295);
    FrameVUmeterKader.BackColor = kWindowBack;
    header(Label2, "Sound", 150, 1200);
    addArray(OptionGeluid, 0, 1, "OptionGeluid", &FrameVUmeterKader);
    OptionGeluid(1).Move(150, 630, 1200, 660);
    OptionGeluid(0).Move(150, 1500, 1200, 645);
    for (int i = 0; i <= 1; ++i) {
        OptionButton& o = OptionGeluid(i);
        o.Graphical = true;
        o.BackColor = kWhite;
        o.Picture = i == 1 ? "design:sound_on" : "design:sound_off";
        o.accessibleName = i == 1 ? "Sound on" : "Sound off";
    }
    OptionGeluid(1).initValue(true);

    // Settings and close.
    Frame3.Move(8610, 6045, 4440, 735);
    Frame3.BackColor = kWindowBack;
    CMD_Settings.Move(255, 225, 1935, 420);
    CMD_Settings.Caption = "Settings / Info";
    CMD_Close.Move(2280, 225, 1935, 420);
    CMD_Close.Caption = "Close";

    // Input row.
    addArray(Picture_Drukknop_Holder, 1, 8, "Picture_Drukknop_Holder", &PictureHolder);
    addArrayIn(IMGDrukknop, 1, 8, "IMGDrukknop", [this](int i) { return &Picture_Drukknop_Holder(i); });
    addArray(Label_Drukknop, 1, 8, "Label_Drukknop", &PictureHolder);
    static const char* const inputCaptions[] = {"A0 - S1", "A1 - S2", "A2 - S3", "A3 - S4",
                                                "A4 - S5", "A5 - S6", "A6 - S7", "A7 - S8"};
    static const std::pair<const char*, int> boxNames[] = {
        {"Picture_A0", -1}, {"Picture_A1", -1}, {"Picture_A2", 0}, {"Picture_A3", 0},
        {"Picture_A4", 0},  {"Picture_A2", 1},  {"Picture_A3", 1}, {"Picture_A4", 1}};
    for (int n = 1; n <= 8; ++n) {
        PictureBox& h = Picture_Drukknop_Holder(n);
        h.Move(column(n), 6960, 1500, 1620);
        h.BackColor = kWhite;
        h.BorderSingle = true;

        Image& img = IMGDrukknop(n);
        img.Move(90, 105, 1200, 1350);
        img.Stretch = true;
        img.Picture = "design:trimmer";
        img.accessibleName = "Input " + std::to_string(n);

        Label& l = Label_Drukknop(n);
        l.Move(column(n), 8610, 1500, 315);
        l.Caption = inputCaptions[n - 1];
        l.BackColor = kWindowBack;
        l.ForeColor = kHeaderBack;
        l.BorderSingle = true;
        l.Alignment = Align::Center;
        l.font.edit().Size = 9.75;
        l.Tag = kInputEnabledTag;

        PictureBox& box = add<PictureBox>(boxNames[n - 1].first, boxNames[n - 1].second, &PictureHolder);
        box.Move(column(n), 8955, 1500, 315);
        box.BackColor = kWindowBack;
        box.BorderSingle = true;
        analogBox[static_cast<size_t>(n)] = &box;
    }
    auto boxOf = [this](int i) { return analogBox[static_cast<size_t>(i)]; };
    addArrayIn(Shape_Ingang, 1, 8, "Shape_Ingang", boxOf);
    addArrayIn(Label_AIn, 1, 8, "Label_AIn", boxOf);
    for (int n = 1; n <= 8; ++n) {
        Shape& s = Shape_Ingang(n);
        s.Move(0, 0, 1440, 270);
        s.FillColor = 0x80FFFF;
        s.FillSolid = true;
        s.BorderVisible = false;
        s.accessibleName = "Analog bar " + std::to_string(n);
        Label& v = Label_AIn(n);
        v.Move(480, 30, 495, 255);
        v.Caption = "0";
        v.Transparent = true;
        v.Alignment = Align::Center;
    }

    // Status bar, cells in screen order.
    addArray(Label_StatusBalk, 0, 12, "Label_StatusBalk", &PictureHolder);
    struct Cell {
        int index;
        double left, width;
        const char* caption;
        Color back;
    };
    static const Cell cells[] = {
        {0, -30, 705, "Status", kButtonFace},
        {1, 660, 1275, "Not connected", kBad},
        {2, 1920, 1800, "Number of Com ports", kButtonFace},
        {3, 3705, 420, "0", kButtonFace},
        {9, 4110, 645, "Speed", kButtonFace},
        {10, 4740, 1140, "115200 Baud", kButtonFace},
        {11, 5865, 1740, "Tolerance Analog in", kButtonFace},
        {12, 7590, 495, "0", kButtonFace},
        {4, 8070, 1035, "Soundcard", kButtonFace},
        {5, 9090, 615, "No", kBad},
        {6, 9690, 855, "Sound", kButtonFace},
        {7, 10530, 540, "On", kButtonFace},
        {8, 11055, 2235, "Board test panel", kButtonFace},
    };
    for (const Cell& c : cells) {
        Label& l = Label_StatusBalk(c.index);
        l.Move(c.left, 9345, c.width, c.index == 8 ? 405 : 300);
        l.Caption = c.caption;
        l.BackColor = c.back;
        l.BorderSingle = true;
        l.Alignment = Align::Center;
    }
}

FormQuorvane::~FormQuorvane() = default;

bool FormQuorvane::ledLit(int led) const {
    return LedLit[static_cast<size_t>(led)] || Label_LumiLed(led).BackColor != kWindowBack;
}

void FormQuorvane::drawBanner() {
    // Three prints offset by a pixel give the title a light edge above and a green one
    // below; the last print lies on top.
    static constexpr const char* kTitle = "Arduino Nano interface.";
    Picture_Kop.printed.edit().push_back({kTitle, 0x00C000, 66, 8, Picture_Kop.font});
    Picture_Kop.printed.edit().push_back({kTitle, 0xE0E0E0, 64, 6, Picture_Kop.font});
    Picture_Kop.printed.edit().push_back({kTitle, 0xFFC0C0, 65, 7, Picture_Kop.font});
}

int32_t FormQuorvane::colorOf(double settingsColor) { return toInt32(settingsColor).value_or(0); }

}  // namespace qv
