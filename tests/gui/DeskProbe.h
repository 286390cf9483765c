#pragma once
// The window tests' view of the desk's windows. The windows themselves reach each other
// only through the desk's verbs (the desk keeps them private); a test looks at a window
// as the user would, so it may take any of them.

#include "gui/Desk.h"
#include "gui/TfrmHelp.h"

class TfrmPrint;

struct DeskProbe {
    static TfrmMain* main(Desk& d) { return d.main_; }
    static TfrmMenu* menu(Desk& d) { return d.menu_; }
    static TfrmVersion* version(Desk& d) { return d.version_; }
    static TfrmSettei* settei(Desk& d) { return d.settei_; }
    static TfrmOpenPRP* openPrp(Desk& d) { return d.openPrp_; }
    static TfrmPrintMode* printMode(Desk& d) { return d.printMode_; }
    static TfrmSetPaper* setPaper(Desk& d) { return d.setPaper_; }
    static TfrmPrintOk* printOk(Desk& d) { return d.printOk_; }
    static TfrmReadUnit* readUnit(Desk& d) { return d.readUnit_; }
    static TfrmDummy* dummy(Desk& d) { return d.dummy_; }
    static TfrmZenTangen* zenTangen(Desk& d) { return d.zenTangen_; }
    static TfrmJuku* juku(Desk& d) { return d.juku_; }
    static TfrmHelp* help(Desk& d) { return d.help_; }
    static TfrmInputName* inputName(Desk& d) { return d.inputName_; }
    static TfrmPassword* password(Desk& d) { return d.password_; }
    static TfrmKiroku* kiroku(Desk& d) { return d.kiroku_; }
    static TfrmEditQues* editQues(Desk& d) { return d.editQues_; }
    static TfrmEditIndex* editIndex(Desk& d) { return d.editIndex_; }
    static TfrmEditSource* editSource(Desk& d) { return d.editSource_; }
    static TfrmInputText* inputText(Desk& d) { return d.inputText_; }
    static TfrmBMP* bmp(Desk& d) { return d.bmp_; }
    static TfrmRenshu* renshu(Desk& d) { return d.renshu_; }
    static TfrmZenSeikai* zenSeikai(Desk& d) { return d.zenSeikai_; }
    static TfrmPrint* windowOf(Desk& d, const Worksheet& sheet) { return d.windowOf(sheet); }
    static TfrmPrint* activeWindow(Desk& d) { return d.activeWindow(); }
};
