#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>
#include <string>
#include <vector>

#include "caboutdlg.h"
#include "closefilesdlg.h"
#include "sprelinicon.h"

// Saves both dialogs in both languages, and the icon, as PNG files into the folder given.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialogshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::vector<std::string> names = { "amplifier_board1.s2p", "amplifier_board2.s2p",
        "filter_1800MHz.s2p", "coupler_P1-P2.s3p", "coupler_P2-P3.s3p", "coupler_P1-P3.s3p",
        "coupler_joined.s3p", "антенна.s1p", "cable_2m.dtu", "reference.csv" };
    bool saved = true;
    for (Language language : { Language::russian, Language::english }) {
        const QString suffix
            = language == Language::russian ? QStringLiteral("_ru.png") : QStringLiteral("_en.png");
        CloseFilesDlg closeFiles(names, 7, language);
        closeFiles.show();
        saved = closeFiles.grab().save(folder.filePath(QStringLiteral("closefiles") + suffix)) && saved;
        CAboutDlg about(language);
        about.show();
        saved = about.grab().save(folder.filePath(QStringLiteral("about") + suffix)) && saved;
    }
    // A list longer than one column, opened on a measurement far to the right.
    std::vector<std::string> many;
    for (int i = 0; i < 120; ++i)
        many.push_back("sweep_" + std::to_string(i) + ".s2p");
    CloseFilesDlg longList(many, 100, Language::english);
    longList.show();
    saved = longList.grab().save(folder.filePath(QStringLiteral("closefiles_long_en.png"))) && saved;
    saved = sprelinIconImage(128).save(folder.filePath(QStringLiteral("icon128.png"))) && saved;
    saved = sprelinIconImage(16).save(folder.filePath(QStringLiteral("icon16.png"))) && saved;
    return saved ? 0 : 1;
}
