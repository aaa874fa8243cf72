#include "app/frm_main.h"
#include "net/curl_transfer.h"
#include "net/qt_text.h"
#include "sample/demo/demo_server.h"
#include "sources/hosts.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

void identifyTheProgram()
{
    using namespace vandrel;
    QCoreApplication::setApplicationName(QLatin1String(version::ProductName));
    QCoreApplication::setApplicationVersion(QLatin1String(version::Text));
    QCoreApplication::setOrganizationDomain(qt(hosts::Website));
    QGuiApplication::setDesktopFileName(QLatin1String(version::AppId));
}

void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Shows the current top songs and albums of music sources on the web."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("demo"),
                      QStringLiteral("Show invented sample charts from a server inside the "
                                     "program instead of the web; needs no network.")});
}

// --help and --version only print a text: they need no window system.
bool asksOnlyForText(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(arguments);
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"));
}

// Prints the help or the version and exits when asked to, and refuses unknown options.
// True when the window is to show the sample charts.
bool readCommandLine(const QCoreApplication& app)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);
    return parser.isSet(QStringLiteral("demo"));
}

} // namespace

int main(int argc, char** argv)
{
    identifyTheProgram();
    // Answered before a display is opened, so they also work on a machine without one.
    if (asksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        readCommandLine(app);
    }
    QApplication app(argc, argv);
    const bool demo = readCommandLine(app);
    if (demo && !vandrel::demo::startSampleServer("vandrel", true))
        return 1;
    auto* inetGet = new vandrel::CurlTransfer;
    vandrel::demo::routeToSampleServer(*inetGet);
    using Charts = vandrel::frmMain::Charts;
    vandrel::frmMain window(inetGet, demo ? Charts::Sample : Charts::Real);
    window.show();
    return app.exec();
}
