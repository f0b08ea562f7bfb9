#include "ui/DesktopMain.h"

#include "operations/BookPrefetch.h"
#include "platform/ProgramFolder.h"
#include "presenters/FileCommands.h"
#include "shell/FileAssociation.h"
#include "shell/Startup.h"
#include "ui/DrawingParts.h"
#include "ui/MatterEditorDialog.h"
#include "ui/QtTextSupplement.h"
#include "ui/QtUi.h"
#include "ui/VersionDialog.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <optional>

// The pictures live in the static widget library; its resource
// initialiser has to be referenced or the linker drops it.
static void initResources()
{
    Q_INIT_RESOURCE(purslet);
}

namespace purslet {

void InitResources()
{
    initResources();
}

void InstallJapaneseFonts()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")});
}

void InstallQtTranslations()
{
    // A Japanese program: calendar names, dates and Qt's own dialogs follow.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    static QTranslator qtTranslator;
    static const bool loaded = qtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                                                 QStringLiteral("_"),
                                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(&qtTranslator);
    static QtTextSupplement supplement;
    QCoreApplication::installTranslator(&supplement);
}

namespace {
// The drawing part, or a message that names what is missing.
const DrawingParts *drawing(Ui &ui)
{
    QString error;
    const DrawingParts *parts = LoadDrawingParts(&error);
    if (!parts)
        ui.messageBox(QStringLiteral("グラフと印刷の部品を読みこめません。\n") + error,
                      QStringLiteral("部品エラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
    return parts;
}
} // namespace

DesktopSession::DesktopSession(QtUi &ui) : ui(ui), app(ui), presenters(app), window(app, presenters, ui)
{
    ui.registerModal(ModalWindow::frmVersion, [this] {
        VersionDialog dialog(&window);
        dialog.exec();
    });
    presenters.main.onPrint = [this](MenuItem item) {
        if (const DrawingParts *parts = drawing(this->ui))
            parts->print(app, item, &window);
    };
    presenters.main.onFocusPeriod = [this] { window.focusPeriod(); };
    presenters.main.onFind = [this] { window.openFindBar(); };
    presenters.main.onWritePdf = [this](const QString &path) {
        const DrawingParts *parts = drawing(this->ui);
        return parts && parts->exportPdf(app.book, this->ui, path);
    };
    ui.registerModal(ModalWindow::frmMatter, [this] {
        MatterEditorDialog dialog(presenters.matterEditor, app, &window);
        dialog.exec();
    });
    ui.registerModal(ModalWindow::frmChart, [this] {
        if (const DrawingParts *parts = drawing(this->ui))
            parts->showChart(presenters.chart, &window);
    });
}

void DesktopSession::start(const QString &commandLine, bool registerFileType)
{
    StartupOptions options;
    options.commandLine = commandLine;
    if (registerFileType) {
        options.registerFileType = [] {
            QFile icon(QStringLiteral(":/purslet.png"));
            RegisterFileType(icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray());
        };
    }
    RunStartup(presenters, window, options);
}

int RunDesktop(int argc, char **argv)
{
    // The book on the command line is read on the second core while the
    // windows are built (the arguments as QApplication will give them).
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    std::optional<BookPrefetch> prefetch;
    if (!words.isEmpty())
        prefetch.emplace(CommandLineBookPath(words.join(QLatin1Char(' '))));

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Purslet"));
    QApplication::setDesktopFileName(DesktopEntryId());
    PrepareProgramFolder();
    InitResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/purslet.png")));
    InstallJapaneseFonts();
    InstallQtTranslations();

    // The book path: the arguments after the program's name, joined with
    // single blanks, so that an unquoted path with blanks arrives whole.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));

    QtUi ui;
    DesktopSession session(ui);
    session.start(commandLine);
    // Whatever the start-up did not take (Qt took some of the arguments) goes.
    prefetch.reset();
    return QApplication::exec();
}

} // namespace purslet
