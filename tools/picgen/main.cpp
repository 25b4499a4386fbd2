// picgen: draws the tile pictures, backgrounds and start picture of the game's resource folder.
//   picgen [--sets FILE] RESOURCE_DIR
//   picgen [--sets FILE] --contact-sheets DIR
//   picgen [--sets FILE] --review-sheets DIR   (every set at play size in every colour vision)
//   picgen [--sets FILE] --overview FILE.png
//   picgen [--sets FILE] --look-alikes [--set N]   (prints how close each set's tiles
//                                         come, or set N's only; 1 if any two look alike)
//   picgen --judge-pairs FILE             (how many of the pairs reviewers found the check
//                                         refuses, the tuning and the held-out half apart)
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "contact_sheet.h"
#include "emoji_names.h"
#include "picture_maker.h"
#include "picture_set.h"
#include "resource_writer.h"
#include "reviewed_pairs.h"
#include "set_likeness.h"

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "picgen: %s\n", qPrintable(message));
    return 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: picgen [--sets FILE] RESOURCE_DIR\n"
                 "       picgen [--sets FILE] --contact-sheets DIR\n"
                 "       picgen [--sets FILE] --review-sheets DIR\n"
                 "       picgen [--sets FILE] --overview FILE.png\n"
                 "       picgen [--sets FILE] --look-alikes [--set N]\n"
                 "       picgen --judge-pairs FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Fonts need a GUI application, but nothing here needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--judge-pairs") {
        const tessaly::picgen::ReviewedPairList reviewed =
            tessaly::picgen::LoadReviewedPairs(args[1]);
        if (!reviewed.error.isEmpty()) return Fail(reviewed.error);
        const tessaly::picgen::EmojiNames names;
        if (!names.Error().isEmpty()) return Fail(names.Error());
        std::printf("%s\n", qPrintable(tessaly::picgen::JudgeReviewedPairs(reviewed.pairs, names)));
        return 0;
    }
    QString setsPath = QStringLiteral(PICGEN_DEFAULT_SETS);
    enum class Output {
        Resources,
        ContactSheets,
        ReviewSheets,
        Overview,
        LookAlikes
    } output = Output::Resources;
    QString target;
    int onlySet = 0;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--sets" && !args.isEmpty()) {
            setsPath = args.takeFirst();
        } else if (arg == u"--contact-sheets") {
            output = Output::ContactSheets;
        } else if (arg == u"--review-sheets") {
            output = Output::ReviewSheets;
        } else if (arg == u"--overview") {
            output = Output::Overview;
        } else if (arg == u"--look-alikes") {
            output = Output::LookAlikes;
        } else if (arg == u"--set" && !args.isEmpty()) {
            onlySet = args.takeFirst().toInt();
            if (onlySet < 1 || onlySet > tessaly::PictureSetCount) return Usage();
        } else if (arg.startsWith(u'-') || !target.isEmpty()) {
            return Usage();
        } else {
            target = arg;
        }
    }
    if (target.isEmpty() != (output == Output::LookAlikes)) return Usage();

    tessaly::picgen::PictureSetList list = tessaly::picgen::LoadPictureSets(setsPath);
    if (!list.error.isEmpty()) return Fail(setsPath + QStringLiteral(": ") + list.error);
    const tessaly::picgen::PictureMaker maker(std::move(list.sets));
    if (const QString problems = maker.Check(); !problems.isEmpty()) {
        return Fail(setsPath + QStringLiteral(":\n") + problems);
    }
    QString error;
    switch (output) {
        case Output::Resources:
            error = tessaly::picgen::WriteResourcePictures(maker, target);
            break;
        case Output::ContactSheets:
            error = tessaly::picgen::WriteContactSheets(maker, target);
            break;
        case Output::ReviewSheets:
            error = tessaly::picgen::WriteReviewSheets(maker, target);
            break;
        case Output::Overview:
            error = tessaly::picgen::WriteOverview(maker, target);
            break;
        case Output::LookAlikes: {
            // Only this check reads Unicode's data, so the play build does not need it.
            const tessaly::picgen::EmojiNames names;
            if (!names.Error().isEmpty()) return Fail(names.Error());
            bool anyAlike = false;
            std::printf("%s\n", qPrintable(tessaly::picgen::LookAlikeReport(maker, names, anyAlike,
                                                                            onlySet)));
            return anyAlike ? 1 : 0;
        }
    }
    return error.isEmpty() ? 0 : Fail(error);
}
