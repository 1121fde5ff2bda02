#include "HelpWindow.h"

#include "app/AppContext.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// One row of a help set and the explanation shown when it is clicked; headings and blank rows
// have none.
struct HelpRow {
    QString text;
    QString explanation;
};

QList<HelpRow> menuHelp(bool swedish, const QString& dataFolder)
{
    if (swedish)
        return {
            {u"Förklaring av Menyer"_s, {}},
            {{}, {}},
            {u"Arkiv | Visa/Återskapa en Sparad Källfil-lista"_s,
             u"Öppnar en fil-lista för visa innehållet i en sparad Käll-listfil."_s},
            {u"Arkiv | Spara Nuvarande Källfil-lista"_s,
             u"Sparar den nuvarande Käll-listan till en valfri fil."_s},
            {u"Arkiv | Spelordning på Måldisken"_s,
             u"Visar i vilken ordning en spelare spelar foldrarna i den öppna foldern på Måldisken "
             u"och filerna i dem, och kan ställa dem i namnordning."_s},
            {u"Arkiv | Avsluta"_s, u"Avslutar programmet."_s},
            {{}, {}},
            {u"Inställningar | English"_s, u"Väljer engelska som språk."_s},
            {u"Inställningar | Svenska"_s, u"Väljer svenska som språk."_s},
            {u"Inställningar | Inaktivera ToolTips på Folderfönstren"_s,
             u"Om markerad ges inga Tool Tips på Folderfönstren"_s},
            {u"Inställningar | Använd Standard Sökväg för Källdisk"_s,
             u"Om markerad startar programmet alltid med samma folder på Källdisken öppen. Om ej "
             u"markerad startar programmet med senast använda folder."_s},
            {u"Inställningar | Spara Nuvarande Sökväg som Standard."_s,
             u"Sparar den nuvarande foldern som startfolder."_s},
            {u"Inställningar | Gå till Standard Plats för Källdisk (Gå Hem)"_s,
             u"Öppnar Startfoldern på Källdisken om  Använd Standard Sökväg  är markerad."_s},
            {u"Inställningar | Lägg Till Prefix till Sparade Foldrar"_s,
             u"Om markerad kommer ett numeriskt prefix att läggas till målfoldern så att "
             u"foldrarna visas i rätt ordning i en fil-lista i Filhanteraren."_s},
            {u"Inställningar | Använd Logfil"_s,
             u"Om markerad kommer en logfil att sparas efter varje kopieringssekvens. Filnamnet "
             u"är dagens datum plus ett prefix med filändelse odr. Filen sparas i detta "
             u"programs datafolder ("_s +
                 dataFolder + u")."_s},
            {u"Inställningar | Annan Media-Spelare"_s,
             u"Om markerad kommer en annan vald mp3 spelare att användas istället för Systemets "
             u"mediaspelare."_s},
            {{}, {}},
            {u"Hjälp | Hjälp, Menyer"_s, u"Detta Hjälpfönster."_s},
            {u"Hjälp | Hjälp, Tangentbordsgenvägar"_s, u"Hjälpfönster för Tangentbordsgenvägar."_s},
            {u"Hjälp | Om"_s, u"Om programmet och System Info."_s},
        };
    return {
        {u"Explanation of Menues"_s, {}},
        {{}, {}},
        {u"File | Show/Recall a Saved Source List File"_s,
         u"Opens a file list to view and recall the content of a saved Source List file."_s},
        {u"File | Save Current Source List"_s,
         u"Saves the current Source List to a file of choice."_s},
        {u"File | Play Order on Target Drive"_s,
         u"Shows the order in which a player plays the folders of the open Target folder and the "
         u"files in them, and can put them in name order."_s},
        {u"File | Exit"_s, u"Quits this program."_s},
        {{}, {}},
        {u"Options | English"_s, u"Selects English language."_s},
        {u"Options | Svenska"_s, u"Selects Swedish language."_s},
        {u"Disable Tool Tips on panes"_s,
         u"If ticked no Tool Tips will be shown on Folder Panes."_s},
        {u"Options | Use Default Source Path"_s,
         u"If ticked a predefined folder will be used as default folder when the program is "
         u"started. If not ticked the program will start with the last used folder."_s},
        {u"Options | Save Current Location as Default Path"_s,
         u"Saves the current Source Path as default if Use Default Source Path is ticked."_s},
        {u"Options | Goto Default Source Loacation (Go Home)"_s,
         u"Opens the Default Location on the Source Disk if Use Default Source Path is ticked."_s},
        {u"Options | Add Prefix to Saved Folders"_s,
         u"If ticked a numeric prefix will be added to the target folder so the folders will be "
         u"displayed in the correct order in a file list of the File Manager."_s},
        {u"Options | Use Log File"_s,
         u"If ticked a log file will be saved after each copy sequence. The file name is the "
         u"current date plus a prefix with extension odr. The file is located in the data "
         u"folder of this program ("_s +
             dataFolder + u")."_s},
        {u"Options | Optional Media Player"_s,
         u"If ticked another selected mp3 player will be used instead of System Media Player."_s},
        {{}, {}},
        {u"Help | Help, Menues"_s, u"This Help Window"_s},
        {u"Help | Help, Shortcuts"_s, u"Help Window for Keyboard Shortcuts."_s},
        {u"Help | About"_s, u"About this program and System Info."_s},
    };
}

QList<HelpRow> shortcutHelp(bool swedish)
{
    if (swedish)
        return {
            {u"Förklaring av tangentbordsgenvägar"_s, {}},
            {{}, {}},
            {u"Källdisk   (Överst till vänster)"_s, {}},
            {u"  <Enter>"_s, u"Öppna vald folder."_s},
            {u"  <Vänster Pil>"_s, u"Upp en nivå."_s},
            {u"  <Höger Pil>"_s, u"Öppna vald folder."_s},
            {u"  <Mellanslag> eller Mus högerklick"_s, u"Visa mp3-filerna i vald folder."_s},
            {u"  <Insert> eller <Ctrl>+<Insert>"_s,
             u"<Insert>: Kopiera vald folder till Käll-listan.\n"
             u"<Ctrl>+<Insert>: Öppna Kopiera Flera-fönstret."_s},
            {{}, {}},
            {u"Käll-lista och Mål-lista  (Överst och underst till höger)"_s, {}},
            {u"  <Mellanslag> eller Mus högerklick"_s, u"Visa mp3-filerna i vald folder."_s},
            {u"  <Delete>"_s, u"Radera vald folder:\n"
                              u"På Käll-listan (överst till höger) raderas foldern från listan.\n"
                              u"På Mål-listan (underst till höger) raderas foldern från disken."_s},
        };
    return {
        {u"Explanation of Keyboard shortcuts"_s, {}},
        {{}, {}},
        {u"Source Disk  (Upper Left)"_s, {}},
        {u"  <Enter>"_s, u"Open the selected folder."_s},
        {u"  <Left Arrow>"_s, u"Up one level."_s},
        {u"  <Right Arrow>"_s, u"Open the selected folder."_s},
        {u"  <Space> or Mouse Right Click"_s, u"Show the mp3 files of the selected folder."_s},
        {u"  <Insert> or <Ctrl>+<Insert>"_s,
         u"<Insert>: Copy the selected folder to the Source List.\n"
         u"<Ctrl>+<Insert>: Open Multi Copy window."_s},
        {{}, {}},
        {u"Source List and Target List  (Upper and Lower Right)"_s, {}},
        {u"  <Space> or Mouse Right Click"_s, u"Show the mp3 files of the selected folder."_s},
        {u"  <Delete>"_s,
         u"Delete the selected folder:\n"
         u"On the Source List (Upper Right) the folder is deleted from the list.\n"
         u"On the Target List (Lower Right) the folder is deleted from the disk."_s},
    };
}

void setBold(QLabel* label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

HelpWindow::HelpWindow(AppContext& module, const QString& dataFolder, QWidget* parent)
    : QDialog(parent)
    , m(module)
    , m_dataFolder(dataFolder)
{
    setObjectName(u"InfoForm"_s);
    setWindowTitle(u"Help, Menues"_s);

    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setMinimumHeight(4 * Label1->fontMetrics().lineSpacing());
    setBold(Label1, true);
    Button_OK = new QPushButton(u"Close"_s, this);
    Button_OK->setObjectName(u"Button_OK"_s);
    // Enter in the list selects a row; only Esc and the button close the window.
    Button_OK->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    resize(420, 420);

    connect(List1, &QListWidget::itemSelectionChanged, this, &HelpWindow::List1_Click);
    connect(Button_OK, &QPushButton::clicked, this, &HelpWindow::Button_OK_Click);
    List1->installEventFilter(this);
    Button_OK->installEventFilter(this);

    Form_Load();
}

void HelpWindow::Form_Load()
{
    const QList<HelpRow> rows =
        m.helpOnMenus ? menuHelp(m.swedish, m_dataFolder) : shortcutHelp(m.swedish);
    if (m.helpOnMenus)
        setWindowTitle(m.text(u"Help, Menues"_s, u"Hjälp, Menyer"_s));
    else
        setWindowTitle(m.text(u"Help, Keyboard shortcuts"_s, u"Hjälp, Tangetbords genvägar"_s));
    if (m.swedish)
        Button_OK->setText(u"Stäng"_s);
    for (const HelpRow& row : rows) {
        List1->addItem(row.text);
        m_explanations.append(row.explanation);
    }
    showInstruction();
}

void HelpWindow::showInstruction()
{
    setBold(Label1, true);
    Label1->setText(
        m.text(u"Click an item in the list above !"_s, u"Klicka på en rad i listan ovan !"_s));
}

void HelpWindow::List1_Click()
{
    setBold(Label1, false);
    const int row = List1->currentRow();
    if (row == 0)
        showInstruction();
    else
        Label1->setText(m_explanations.value(row));
}

void HelpWindow::List1_KeyDown(int key)
{
    if (key == Qt::Key_Escape)
        close();
}

void HelpWindow::Button_OK_KeyDown(int key)
{
    if (key == Qt::Key_Escape)
        close();
}

void HelpWindow::Button_OK_Click()
{
    close();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == List1 || watched == Button_OK)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == List1)
            List1_KeyDown(key);
        else
            Button_OK_KeyDown(key);
        // Esc has closed the window; other keys go on to the control.
        return key == Qt::Key_Escape;
    }
    return QDialog::eventFilter(watched, event);
}
