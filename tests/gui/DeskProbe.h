#pragma once
// The window tests' view of the desk's windows. The windows themselves reach each other
// only through the desk's verbs (the desk keeps them private); a test looks at a window
// as the user would, so it may take any of them. A window made on first use is made when
// a test takes it.

#include "gui/Desk.h"
#include "gui/TfrmBMP.h"
#include "gui/TfrmEditIndex.h"
#include "gui/TfrmEditQues.h"
#include "gui/TfrmEditSource.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmInputText.h"
#include "gui/TfrmJuku.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmOpenPRP.h"
#include "gui/TfrmPrintMode.h"
#include "gui/TfrmPrintOk.h"
#include "gui/TfrmReadUnit.h"
#include "gui/TfrmRenshu.h"
#include "gui/TfrmSetPaper.h"
#include "gui/TfrmSettei.h"
#include "gui/TfrmVersion.h"
#include "gui/TfrmZenSeikai.h"
#include "gui/TfrmZenTangen.h"

class TfrmPrint;

struct DeskProbe {
    static TfrmMain* main(Desk& d) { return d.main_; }
    static TfrmMenu* menu(Desk& d) { return d.menu_; }
    static TfrmVersion* version(Desk& d) { return &d.made(d.version_, d.main_); }
    static TfrmSettei* settei(Desk& d) { return &d.made(d.settei_, d.main_); }
    static TfrmOpenPRP* openPrp(Desk& d) { return &d.made(d.openPrp_, d.main_); }
    static TfrmPrintMode* printMode(Desk& d) { return &d.made(d.printMode_, d.main_); }
    static TfrmSetPaper* setPaper(Desk& d) { return &d.made(d.setPaper_, d.main_); }
    static TfrmPrintOk* printOk(Desk& d) { return &d.made(d.printOk_, d.main_); }
    static TfrmReadUnit* readUnit(Desk& d) { return &d.made(d.readUnit_, d.main_); }
    static TfrmDummy* dummy(Desk& d) { return d.dummy_; }
    static TfrmZenTangen* zenTangen(Desk& d) { return &d.made(d.zenTangen_, d.main_); }
    static TfrmJuku* juku(Desk& d) { return &d.made(d.juku_, d.main_); }
    static TfrmHelp* help(Desk& d) { return d.help_; }
    static TfrmInputName* inputName(Desk& d) { return d.inputName_; }
    static TfrmPassword* password(Desk& d) { return d.password_; }
    static TfrmKiroku* kiroku(Desk& d) { return d.kiroku_; }
    static TfrmEditQues* editQues(Desk& d) { return &d.made(d.editQues_, d.main_); }
    static TfrmEditIndex* editIndex(Desk& d) { return &d.made(d.editIndex_, d.main_); }
    static TfrmEditSource* editSource(Desk& d) { return &d.made(d.editSource_, d.main_); }
    static TfrmInputText* inputText(Desk& d) { return &d.made(d.inputText_, d.main_); }
    static TfrmBMP* bmp(Desk& d) { return &d.made(d.bmp_, editQues(d)); }
    static TfrmRenshu* renshu(Desk& d) { return &d.made(d.renshu_, d.main_); }
    static TfrmZenSeikai* zenSeikai(Desk& d) { return &d.made(d.zenSeikai_, renshu(d)); }
    static TfrmPrint* windowOf(Desk& d, const Worksheet& sheet) { return d.windowOf(sheet); }
    static TfrmPrint* activeWindow(Desk& d) { return d.activeWindow(); }
};
