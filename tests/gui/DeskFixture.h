#pragma once
// Window tests on a copy of the bundled course: settings and user data in a temporary
// folder (never the user's own), a scripted prompter, and modal dialogs worked by a
// script that picks the script step by the dialog's object name.

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "CourseCopy.h"
#include "DeskProbe.h"
#include "Fakes.h"
#include "Program.h"
#include "ScriptedDialogs.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "text/Sjis.h"

// The unit menu's script: chooses lesson, section and unit (list rows) and presses OK.
inline std::function<void(QDialog&)> chooseUnit(int lesson, int section, int unit) {
    return [=](QDialog& d) {
        d.findChild<QListWidget*>(QStringLiteral("lstLesson"))->setCurrentRow(lesson);
        d.findChild<QListWidget*>(QStringLiteral("lstSection"))->setCurrentRow(section);
        d.findChild<QListWidget*>(QStringLiteral("lstUnit"))->setCurrentRow(unit);
        d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    };
}

class DeskFixture {
  public:
    QTemporaryDir temp;
    QString course;
    ScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs;
    ScriptedPrintDialogs printDialogs;
    // What each modal dialog does, by object name; a dialog without a step is cancelled.
    std::map<QString, std::function<void(QDialog&)>> steps;
    std::vector<QString> shown; // object names of the dialogs shown, in order
    std::unique_ptr<Desk> desk;
    // Random numbers, clocks and the time of day instead of the system's (null: the real).
    PlatformOverrides platform;

    DeskFixture() {
        course = temp.filePath(QStringLiteral("course"));
        CopyFolder(QStringLiteral(VELMIX_SOURCE_DIR "/course"), course);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           temp.filePath(QStringLiteral("config")));
        qputenv("XDG_DATA_HOME", temp.filePath(QStringLiteral("data")).toUtf8());
    }

    // The desk on the course copy, with its windows; shown when asked.
    Desk& start(bool show = true) {
        Desk::Seams seams;
        seams.prompter = &prompter;
        seams.fileDialogs = &fileDialogs;
        seams.printDialogs = &printDialogs;
        seams.runModal = [this](QDialog& d) {
            shown.push_back(d.objectName());
            d.setResult(QDialog::Rejected);
            auto it = steps.find(d.objectName());
            if (it != steps.end()) it->second(d);
            return d.result();
        };
        seams.openUrl = [](const QUrl&) { return true; };
        seams.platform = platform;
        desk = std::make_unique<Desk>(course, seams);
        desk->createWindows();
        if (show) DeskProbe::main(*desk)->show();
        return *desk;
    }

    // Opens a unit with 開く through the unit menu; the worksheet in front afterwards.
    Worksheet* open(int lesson, int section, int unit) {
        steps[QStringLiteral("TfrmMenu")] = chooseUnit(lesson, section, unit);
        find<QPushButton>("btnOpenMaster")->click();
        return desk->program().sheets.current;
    }

    // A value of the program's settings key as stored.
    QVariant stored(const char* name) const {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmix++"),
                    QStringLiteral("VelmixEQ"));
        return s.value(QLatin1String(name));
    }
    void store(const char* name, const QVariant& value) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmix++"),
                    QStringLiteral("VelmixEQ"));
        s.setValue(QLatin1String(name), value);
    }

    std::vector<std::string> messages() const { return prompter.utf8(); }

    template <class W> W* find(const char* name) const {
        return DeskProbe::main(*desk)->findChild<W*>(QLatin1String(name));
    }
    // A menu item of the main window by its caption.
    QAction* menuItem(const QString& caption) const {
        const QList<QAction*> actions = DeskProbe::main(*desk)->menuBar()->findChildren<QAction*>();
        for (QAction* a : actions)
            if (a->text() == caption) return a;
        return nullptr;
    }
};
