#pragma once
// The document behind one worksheet window: question lines, graphs, header lines and
// the layout values. Strings are Shift-JIS.

#include <array>
#include <string>

#include "formats/UnitRef.h"
#include "platform/Bitmap.h"
#include "text/Lines.h"
#include "worksheet/KranSettings.h"
#include "worksheet/SheetLayout.h"

struct PaperRec {
    int Width = 630;
    int Height = 891;
    bool operator==(const PaperRec&) const = default;
};

// The font of the "<<font" block: kept and saved, not used for drawing.
struct SecondFont {
    std::string face;
    int size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

constexpr int MaxGraphs = 15;
// The message for a worksheet with more than MaxGraphs graphs: the count and the text.
std::string TooManyGraphsText(int count);

class Worksheet {
  public:
    UnitRef unitRef;
    std::string lessonName, sectionName, unitName; // index names of the first unit
    std::string strFileName;
    std::string caption;   // window caption: the window key until an edit retitles it
    std::string windowKey; // the worksheet's entry in the window list
    std::string strPrintName;
    std::string strTangen; // title
    std::string strSchool;
    std::string strShimei;
    std::string strTitleBase;
    Lines lstQues;
    Lines lstQGraph; // triples: file name, x, y
    Lines lstAGraph;
    Lines KgroupLines;
    Lines SoftkeyLines;
    Lines lstKai;
    PaperRec paper;
    int LineSpace = 30;
    int FontSize = 14;
    int LeftMargin = 5;
    int RightMargin = 5;
    int StartNo = 1;
    // 開始番号: the number this worksheet's next printed copy carries (the print-mode dialog
    // shows and sets the active worksheet's); it belongs to the open worksheet and is not
    // written to its file.
    int startNumber = 1;
    // A varied copy's version code ("V20261208-07"), shown in the number line after the
    // copy's number while that copy is laid out; empty otherwise.
    std::string versionCode;
    int Options = 7; // 1 class flag, 2 date line, 4 number and print time
    bool ShowAnswers = false;
    std::string strMainFont;
    SecondFont secondFont;
    bool Modified = false;
    bool PrintLearner = false;
    bool masterFlag = false;
    bool FromCopyFile = false;
    bool RuidaiSheet = false;
    int correctCount = -1;
    int totalCount = 0;
    bool Marked = false;

    // Pictures: the class flag and the loaded graph bitmaps (index 0..14 = graph 1..15).
    Bitmap classFlag;
    bool classFlagVisible = false;
    std::array<Bitmap, MaxGraphs> qGraphPictures;
    std::array<Bitmap, MaxGraphs> aGraphPictures;
    // Where each graph picture stands on the page (page coordinates) after the last layout.
    struct Placed {
        int left = 0, top = 0, width = 0, height = 0;
        bool visible = false;
        bool answerPicture = false; // shows the answer graph instead of the question graph
    };
    std::array<Placed, MaxGraphs> graphPlaced;
    Placed classFlagPlaced;

    // The layout of the worksheet's screen page: its answer boxes and text runs.
    SheetLayout layout;

    // The kran lines as the file gave them (what is written back) and what they say.
    const Lines& kranLines() const { return kranLines_; }
    const KranSettings& kranSettings() const { return kranSettings_; }
    // Replaces the lines (as a file or a unit's block gives them); the settings follow.
    void setKranLines(Lines lines);
    // Replaces one line (a setting changed); nothing happens beyond the list's end.
    void setKranLine(KranLine line, std::string text);

    // Kran line n as a number, as KranLineNumber reads it.
    int kran(int line) const;

  private:
    Lines kranLines_{"2", "10", "4", "0", "0", "0", "15", "10", "0", "0"};
    KranSettings kranSettings_ = ReadKranSettings(kranLines_);
};
