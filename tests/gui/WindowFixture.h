#pragma once
// The worksheet windows on the bundled course for window tests: scripted message boxes,
// file dialogs and print dialogs, modal dialogs worked by a script and returning at once,
// settings in a temporary folder. The program state is prepared as start-up leaves it.

#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "CourseCopy.h"
#include "DeskProbe.h"
#include "Fakes.h"
#include "ScriptedDialogs.h"
#include "formats/CourseIndex.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmPrintMode.h"
#include "gui/TfrmPrintOk.h"
#include "gui/TfrmSetPaper.h"
#include "gui/TfrmSettei.h"
#include "gui/WorksheetWindows.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/Paper.h"

inline QString fromSjis(const std::string& s) {
    return QString::fromStdString(sjis::toUtf8(s));
}

// The core path of a native one.
inline std::string corePath(const QString& native) {
    return QtFiles::toCorePath(QDir::cleanPath(native)).value();
}

class WindowFixture {
  public:
    QTemporaryDir temp;
    ScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs;
    ScriptedPrintDialogs printDialogs;
    // What the user does in a dialog shown modally; returns its result. Without a script
    // the dialog is closed as cancelled.
    std::function<int(QDialog&)> user;
    std::vector<QString> modalsShown;
    std::unique_ptr<Desk> desk;

    WindowFixture() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp.path());
        QStandardPaths::setTestModeEnabled(true); // no data folder of the user's is made
        Desk::Seams seams;
        seams.prompter = &prompter;
        seams.fileDialogs = &fileDialogs;
        seams.printDialogs = &printDialogs;
        seams.runModal = [this](QDialog& d) {
            modalsShown.push_back(d.objectName());
            return user ? user(d) : int(QDialog::Rejected);
        };
        const QString course = temp.filePath(QStringLiteral("course"));
        CopyFolder(QStringLiteral(VELMIX_SOURCE_DIR "/course"), course);
        desk = std::make_unique<Desk>(course, seams);
        desk->createWindows();
        Desk& d = *desk;

        Program& p = d.program();
        p.course.masterFolder = corePath(course) + "\\";
        p.sheets.defaultFontFace = J("ＭＳ 明朝");
        p.session.learnerName = J("共通");
        p.sheets.answersShown = true;
        p.session.startupDone = true;
        SetProgramPaper(p, 630);
        d.selectPrintMode(false);
        if (!LoadLessonList(p.platform.files, p.course))
            qFatal("the bundled course has no lesson list");
        DeskProbe::main(d)->resize(1000, 800);
        DeskProbe::main(d)->show();
    }
    ~WindowFixture() {
        // The windows go before the program they show.
        desk.reset();
    }

    Program& program() { return desk->program(); }

    // Opens lesson.section.unit of the course as the unit menu would.
    Worksheet* openUnit(int lesson, int section, int unit) {
        Program& p = program();
        if (!LoadLesson(p.platform.files, p.course, lesson)) return nullptr;
        UnitTitleNames names{p.course.lessonNames[lesson - 1], p.course.sectionNames[section - 1],
                             p.course.sectionUnits[section][unit - 1]};
        if (OpenUnit(p, UnitRef{lesson, section, unit, 0}, names) != OpenResult::Opened)
            return nullptr;
        return p.sheets.current;
    }

    TfrmPrint* window() {
        const Worksheet* sheet = program().sheets.current;
        return sheet ? DeskProbe::windowOf(*desk, *sheet) : nullptr;
    }
    // The frames of the worksheet windows (the title window is a child of the frame too).
    QList<QMdiSubWindow*> frames() {
        QList<QMdiSubWindow*> sheets;
        for (QMdiSubWindow* w : DeskProbe::main(*desk)->mdiArea()->subWindowList())
            if (qobject_cast<TfrmPrint*>(w->widget())) sheets.append(w);
        return sheets;
    }

    std::vector<std::string> messages() const { return prompter.utf8(); }
};

// Pixels of the colour in image (the page's blue answers, black text).
inline int countColour(const QImage& image, QRgb colour) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            n += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
    }
    return n;
}
