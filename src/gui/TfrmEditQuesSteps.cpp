// The question editor's steps: showing a unit, the buttons, OK, Cancel and the direct edit.
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/TfrmEditQues.h"
#include "gui/TfrmEditSource.h"
#include "gui/UiText.h"
#include "qt/QtFiles.h"
#include "shell/EditorSteps.h"
#include "shell/Prompts.h"
#include "text/FileMessages.h"
#include "worksheet/Worksheet.h"

namespace {

QString joined(const Lines& lines) {
    return qsLines(lines).join(QLatin1Char('\n'));
}

// A memo's lines as typed (UTF-8), the final empty line left out as sjLines does.
std::vector<std::string> typedLines(const QPlainTextEdit* memo) {
    std::vector<std::string> out;
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return out;
    for (const QString& l : text.split(QLatin1Char('\n')))
        out.push_back(l.toStdString());
    if (out.back().empty()) out.pop_back();
    return out;
}

} // namespace

std::optional<UnitRef> TfrmEditQues::editWorksheet(const Worksheet& sheet) {
    if (!run(sheet.unitRef, sheet.unitName, false)) return std::nullopt;
    return s_.ref;
}

bool TfrmEditQues::editNewUnit() {
    const MenuState& m = desk_.program().menu;
    return run(m.selectedUnit, m.selectedNames.unit, true);
}

bool TfrmEditQues::run(const UnitRef& ref, const std::string& unitName, bool newUnitMode) {
    Program& p = desk_.program();
    if (Report r = LoadQuestionEditor(p, s_, ref, unitName, newUnitMode); !r) {
        SayIfAny(p, r.message);
        return false;
    }
    openedOn_ = ref;
    setGeometry(desk_.mainGeometry());
    move(0, 0);
    showState();
    preview_ = QImage();
    previewName_.clear();
    imgGraph->clear();
    MemQues->setFocus();
    MemQues->moveCursor(QTextCursor::Start);
    const int result = desk_.runModal(*this);
    QuestionEditorClosed(p);
    return result == QDialog::Accepted;
}

void TfrmEditQues::showState() {
    loading_ = true;
    const UnitBlockParts& m = s_.memos;
    const std::pair<QPlainTextEdit*, const Lines*> memos[] = {
        {MemQues, &m.ques},          {memDummy, &m.dummy},   {memKgroup, &m.kgroup},
        {memHint, &m.hint},          {memQGraph, &m.qgraph}, {memAGraph, &m.agraph},
        {memPasteLo, &m.pageBlocks},
    };
    for (const auto& [memo, lines] : memos)
        memo->setPlainText(joined(*lines));
    edtLesson->setText(qs(UnitLabel(s_.ref)));
    edtTangen->setText(qs(s_.unitName));
    edtFileName->setText(qsShown(s_.path));
    lstKai->clear();
    lstKai->addItems(qsLines(s_.answers));
    lblKosuh->setText(QString::number(lstKai->count()));
    flbGraph->clear();
    flbGraph->addItems(qsLines(s_.graphFiles));
    btnRuidai->setEnabled(s_.ruidaiAllowed);
    btnMakeRuidai->setEnabled(s_.ruidaiAllowed);
    btnEditDirect->setEnabled(!s_.newUnitMode);
    showCounters();
    loading_ = false;
}

void TfrmEditQues::showCounters() {
    const ChoiceCounts c = CountChoices(sjLines(memKgroup->toPlainText()));
    lblKosuh3->setText(QString::number(c.lines));
    lblKosuh2->setText(QString::number(c.keys));
}

bool TfrmEditQues::takeMemos() {
    UnitBlockParts m;
    const std::pair<Memo, Lines*> memos[] = {
        {Memo::Ques, &m.ques},          {Memo::Dummy, &m.dummy},   {Memo::Kgroup, &m.kgroup},
        {Memo::Hint, &m.hint},          {Memo::QGraph, &m.qgraph}, {Memo::AGraph, &m.agraph},
        {Memo::PasteLo, &m.pageBlocks},
    };
    for (const auto& [which, lines] : memos) {
        const std::vector<std::string> typed = typedLines(memo(which));
        if (std::optional<MemoProblem> bad = FindUnrepresentable(which, typed)) {
            desk_.prompter().message(bad->message);
            showProblem(*bad);
            return false;
        }
        for (const std::string& line : typed)
            lines->push_back(sjis::fromUtf8(line));
    }
    s_.memos = std::move(m);
    return true;
}

void TfrmEditQues::showProblem(const MemoProblem& problem) {
    QPlainTextEdit* m = memo(problem.memo);
    m->setTextCursor(QTextCursor(m->document()->findBlockByNumber(problem.line)));
    m->setFocus();
}

void TfrmEditQues::btnTestClick() {
    if (!takeMemos()) return;
    if (std::optional<MemoProblem> problem = ExtractInto(s_)) {
        desk_.prompter().message(problem->message);
        showProblem(*problem);
    } else {
        lstKai->clear();
        lstKai->addItems(qsLines(s_.answers));
    }
    lblKosuh->setText(QString::number(lstKai->count()));
}

void TfrmEditQues::wrapSelection(bool answerBlank) {
    QTextCursor c = MemQues->textCursor();
    if (!c.hasSelection()) {
        desk_.prompter().message(J("囲む範囲を選択してください"));
        return;
    }
    const Wrapping w = answerBlank ? AnswerBlankWrapping() : UnderlineWrapping();
    c.insertText(qs(w.before) + c.selectedText() + qs(w.after));
    if (answerBlank) btnTestClick();
    MemQues->setFocus();
}

void TfrmEditQues::btnKaiClick() {
    wrapSelection(true);
}

void TfrmEditQues::btnKakkoClick() {
    wrapSelection(false);
}

void TfrmEditQues::btnNumberClick() {
    if (takeMemos()) MemQues->setPlainText(joined(NumberQuestionLines(s_.memos.ques)));
}

void TfrmEditQues::btnRuidaiClick() {
    if (TurnIntoRuidai(desk_.program(), s_)) showState();
}

void TfrmEditQues::btnMakeRuidaiClick() {
    if (!takeMemos()) return;
    Program& p = desk_.program();
    if (MakeRuidaiWithNewNumbers(p, s_, NewRuidaiSeed(p))) showState();
}

void TfrmEditQues::btnKgAddClick() {
    Lines answers;
    for (int i = 0; i < lstKai->count(); ++i)
        answers.push_back(sj(lstKai->item(i)->text()));
    memKgroup->setPlainText(
        joined(ChoiceLines(answers, chkSuuji->isChecked(), chkKigou->isChecked())));
}

void TfrmEditQues::btnDummyClick() {
    if (takeMemos())
        memKgroup->setPlainText(joined(WithDummyAnswers(s_.memos.kgroup, s_.memos.dummy)));
}

void TfrmEditQues::addGraphs(bool answerGraphs) {
    if (!takeMemos()) return;
    std::vector<std::string> names;
    for (int i = 0; i < flbGraph->count(); ++i)
        if (flbGraph->item(i)->isSelected()) names.push_back(sj(flbGraph->item(i)->text()));
    const Worksheet* sheet = desk_.program().sheets.current;
    std::vector<Point> runs;
    if (s_.sheetValues && sheet) {
        const SheetLayout& sheets = sheet->layout;
        runs.assign(sheets.LinePos.begin(),
                    sheets.LinePos.begin() +
                        std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(sheets.LinePos.size()),
                                                 sheets.runCount + 1));
    }
    Lines& target = answerGraphs ? s_.memos.agraph : s_.memos.qgraph;
    const std::vector<std::string> refused =
        AddGraphs(target, names, answerGraphs, s_.sheetValues && sheet ? &runs : nullptr);
    (answerGraphs ? memAGraph : memQGraph)->setPlainText(joined(target));
    for (std::size_t i = 0; i < refused.size(); ++i)
        desk_.prompter().message(J("グラフは") + std::to_string(MaxGraphs) + J("個までです"));
}

void TfrmEditQues::previewGraph(const QString& name) {
    if (name.isEmpty() || s_.graphFolder.empty()) return;
    Program& p = desk_.program();
    const std::string path = s_.graphFolder + sj(name);
    if (!FileExistsOrSay(p, path)) return;
    std::string bytes;
    if (p.platform.files.read(path, bytes) != ReadStatus::Ok ||
        !preview_.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                               static_cast<int>(bytes.size()))) {
        desk_.prompter().message(ReadErrorText(path));
        return;
    }
    previewName_ = name;
    imgGraph->setPixmap(QPixmap::fromImage(preview_).scaled(
        imgGraph->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfrmEditQues::btnGraphFileClick() {
    if (s_.graphFolder.empty()) {
        desk_.prompter().message(J("グラフのフォルダ Graph がありません"));
        return;
    }
    const QString folder = QtFiles::toNative(s_.graphFolder);
    const std::optional<QString> chosen = desk_.fileDialogs().openFileName(
        this, QStringLiteral("グラフを選ぶ"), folder, QStringLiteral("ビットマップ (*.bmp *.BMP)"));
    if (!chosen) return;
    const QFileInfo file(*chosen);
    if (file.canonicalPath() != QFileInfo(folder).canonicalFilePath()) {
        desk_.prompter().message(J("グラフはフォルダ ") + s_.graphFolder +
                                 J(" の中から選んでください"));
        return;
    }
    QList<QListWidgetItem*> found = flbGraph->findItems(file.fileName(), Qt::MatchFixedString);
    if (found.isEmpty()) {
        flbGraph->addItem(file.fileName());
        found = {flbGraph->item(flbGraph->count() - 1)};
    }
    found.front()->setSelected(true);
    flbGraph->scrollToItem(found.front());
    previewGraph(found.front()->text());
}

bool TfrmEditQues::save() {
    if (!takeMemos()) return false;
    const EditorSave result = SaveQuestionUnit(desk_.program(), s_);
    if (result.at) showProblem(*result.at);
    if (result.saved) edtLesson->setText(qs(UnitLabel(s_.ref)));
    return result.saved;
}

void TfrmEditQues::btnOkClick() {
    if (save()) accept();
}

void TfrmEditQues::btnCancelClick() {
    s_.modified = false;
    s_.newRuidai = 0;
    reject();
}

void TfrmEditQues::closeEvent(QCloseEvent* event) {
    // Closed by the window's frame: unsaved work is saved or dropped as the user says; a
    // save that stops at a check keeps the window open on the faulty line.
    if (s_.modified && result() != QDialog::Accepted) {
        const int answer =
            AskYesNoCancel(desk_.program(), J("変更されたデータファイルを保存しますか？"));
        if (answer == answer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == answer::Yes) {
            if (!save()) {
                event->ignore();
                return;
            }
            setResult(QDialog::Accepted);
            event->accept();
            QDialog::done(QDialog::Accepted);
            return;
        }
        s_.newRuidai = 0;
    }
    QDialog::closeEvent(event);
}

void TfrmEditQues::keyPressEvent(QKeyEvent* event) {
    // Escape with unsaved edits asks, as closing the window does; キャンセル itself never asks.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && s_.modified) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmEditQues::btnEditDirectClick() {
    Program& p = desk_.program();
    UnitRef ref = s_.ref;
    if (s_.modified) {
        const int answer = AskYesNoCancel(p, J("変更されたデータファイルを保存しますか？"));
        if (answer == answer::Cancel || (answer == answer::Yes && !save())) return;
        if (answer == answer::No) ref = openedOn_; // a similar question not saved is no more
    }
    const int made = ref == openedOn_ ? 0 : s_.newRuidai;
    const std::optional<Lines> lines = ReadSourceLines(p, s_.path);
    if (!lines) return;
    const std::optional<Lines> edited = desk_.editSourceLines(s_.path, 720, *lines);
    if (edited && !WriteSourceLines(p, s_.path, *edited)) return;
    // Shown again from the file as it is now.
    if (Report r = LoadQuestionEditor(p, s_, ref, s_.unitName, s_.newUnitMode); !r) {
        SayIfAny(p, r.message);
        reject();
        return;
    }
    if (made > 0) {
        s_.newRuidai = made;
        s_.ruidaiAllowed = false;
    }
    showState();
}
