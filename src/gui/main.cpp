// Start-up of the window program: application object, number format, font, the main window,
// and an optional record to open at once (qlnx [--first-line N] [--step N] [--noise-band D]
// [--analyze] [FILE]).
#include <QCommandLineParser>
#include <QFont>
#include <QFontDatabase>
#include <QLocale>
#include <exception>

#include "core/number_text.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/qt_user_dialogs.h"
#include "gui/error_guard.h"
#include "gui/main_window/tform1.h"

namespace {

// The decimal separator of the user's locale; '.' when the locale's is not one ASCII char.
char LocaleDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point[0].unicode() > 32 && point[0].unicode() < 127) {
        return static_cast<char>(point[0].unicode());
    }
    return '.';
}

// Tahoma 8 pt where the system has it, else the nearest sans-serif font; Chinese captions
// fall back to a CJK font.
QFont WindowFont() {
    QString primary = QStringLiteral("Tahoma");
    if (!QFontDatabase::hasFamily(primary)) {
        primary = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const char* sans : {"Verdana", "DejaVu Sans", "Liberation Sans", "Arial"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(sans))) {
                primary = QString::fromLatin1(sans);
                break;
            }
        }
    }
    QFont font(primary);
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({primary, QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("SimSun")});
    font.setPointSize(8);
    return font;
}

}  // namespace

int main(int argc, char** argv) {
    qlnx::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QLNX"));
    QApplication::setOrganizationName(QStringLiteral("QLNX"));  // where the settings live
    QApplication::setApplicationVersion(qlnx::ProgramVersion());
    QGuiApplication::setDesktopFileName(
        QStringLiteral("qlnx"));  // ties the window to the menu entry and its icon
    qlnx::QtUserDialogs dialogs;
    app.setDialogs(&dialogs);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Hysteresis loops and skeleton curves of cyclic loading tests."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption analyze(QStringLiteral("analyze"),
                                     QStringLiteral("Analyse the loops of FILE after opening it."));
    parser.addOption(analyze);
    const QCommandLineOption firstLine(QStringLiteral("first-line"),
                                       QStringLiteral("Text of the F-D Curve Begin Line box."),
                                       QStringLiteral("N"));
    const QCommandLineOption step(QStringLiteral("step"),
                                  QStringLiteral("Text of the Data Import Step box."),
                                  QStringLiteral("N"));
    const QCommandLineOption noiseBand(QStringLiteral("noise-band"),
                                       QStringLiteral("Text of the Noise Band box."),
                                       QStringLiteral("D"));
    parser.addOption(firstLine);
    parser.addOption(step);
    parser.addOption(noiseBand);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Curve file to import with the boxes' texts."));
    parser.process(app);

    try {
        qlnx::SetDecimalSeparator(LocaleDecimalSeparator());
        QApplication::setFont(WindowFont());
        qlnx::TForm1 form(dialogs);
        if (parser.isSet(firstLine)) form.SetImportBoxes(parser.value(firstLine), std::nullopt);
        if (parser.isSet(step)) form.SetImportBoxes(std::nullopt, parser.value(step));
        if (parser.isSet(noiseBand)) form.SetNoiseBandBox(parser.value(noiseBand));
        form.show();
        if (!parser.positionalArguments().isEmpty()) {
            form.OpenCurveFile(parser.positionalArguments().front());
            if (parser.isSet(analyze)) form.RunAnalysis();
        }
        return QApplication::exec();
    } catch (const std::exception& e) {
        qlnx::ShowErrorReport(dialogs, nullptr, e.what());
    } catch (...) {
        qlnx::ShowErrorReport(dialogs, nullptr, std::string());
    }
    return 1;
}
