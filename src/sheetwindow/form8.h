#pragma once

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QScrollArea;
class QUrl;

namespace Tarvosk {

class CharacterSession;
class FileDialogs;
class HoverWatch;
class MessageService;
class SettingsStore;
class SheetPage;
class SheetToolbar;

// What the sheet window needs from the rest of the program; tests give their own.
struct SheetWindowContext
{
    SettingsStore &settings;
    MessageService &messages;
    // The character's life: its document, files, exports and questions.
    CharacterSession &session;
    // For "Drucken" where the system has no printer: the PDF file's name.
    FileDialogs &fileDialogs;
    // Opens the word-processor document; none means the desktop's default application.
    std::function<bool(const QUrl &)> openDocument{};
    // The printer "Drucken" prints on (none: a PDF file); unset means the one the settings choose.
    std::function<std::unique_ptr<QPrinter>()> choosePrinter{};
};

// The character sheet window: the finished character as a one-page sheet
// with its toolbar, edited in place, completed with equipment. Closing it
// ends the program, unless a new character is being begun.
//
// It opens where it was closed, with the size it had ("datasheet", twips,
// frame included); with "AlwaysWord" on it opens as its toolbar alone.
class Form8 : public QWidget
{
    Q_OBJECT

public:
    // What the toolbar and the shortcuts do.
    enum class Command { NewCharacter, Open, Save, SaveAs, Print, Word, Settings, Delete, Undo, Redo, PrintPreview };

    explicit Form8(SheetWindowContext context, QWidget *parent = nullptr);
    ~Form8() override;

    // Set by "Neuer Charakter" just before the wizard starts again.
    bool isNewCharacter() const;
    // Opened with "AlwaysWord" on: only the toolbar shows.
    bool isToolbarOnly() const;

    // The hand-off from a second start: the file, after the save question.
    void Form_DblClick(const QString &path);
    // A character file into the sheet, without the save question (start-up).
    bool LoadCharacterFile(const QString &path);

    SheetToolbar *toolbar() const;
    // The viewport Picture1 with the scroll bar VScroll1, holding the page.
    QScrollArea *paper() const;
    SheetPage *page() const;
    HoverWatch *hoverWatch() const;
    // The command's action, with its shortcut where it has one.
    QAction *command(Command which) const;

Q_SIGNALS:
    // "Neuer Charakter", after the save question: the main window runs NeuerCharakter.
    void newCharacterRequested();
    // A right click on the toolbar: the main window's pattern menu, at this screen point.
    void patternMenuRequested(QPoint globalPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildWindow();
    void addCommand(Command which, const QString &text, const QList<QKeySequence> &shortcuts, void (Form8::*slot)());
    // "Rückgängig" and "Wiederholen" name the step they take, greyed out when there is none.
    void showHistory();
    void Form_Load();
    void layOut();
    void rememberGeometry();
    void showPattern();
    void applyLook();
    void settingChanged(const QString &section, const QString &key);
    // Picture1_DblClick: the width that shows the page whole.
    void fitWidthToPage();
    // A click beside the page: editors hidden, hover frame and menu gone.
    void backgroundClicked();
    void imgButton_Click(int index);
    void recentFileChosen(int row);

    // The commands; from a shortcut, an open editor is committed first.
    void newCharacter();
    void openCharacter();
    void saveCharacter();
    void saveCharacterAs();
    void printCharacter();
    void exportToWord();
    void showSettings();
    void deleteCharacter();
    void undo();
    void redo();
    void showPrintPreview();
    // The printer of the context or the settings; none where the system has none.
    std::unique_ptr<QPrinter> chosenPrinter() const;

    SheetWindowContext m_context;
    bool m_newCharacter = false;
    bool m_toolbarOnly = false;
    HoverWatch *m_hoverWatch;
    SheetToolbar *m_toolbar = nullptr;
    QScrollArea *m_paper = nullptr;
    SheetPage *m_page = nullptr;
    std::array<QAction *, 11> m_commands{};
};

} // namespace Tarvosk
