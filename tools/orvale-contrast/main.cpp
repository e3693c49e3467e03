// orvale-contrast: fails when an enemy bullet may hide in a stage's background.
//
//   orvale-contrast PACKAGE [MORE...]
//   orvale-contrast --bodies STAGE PACKAGE [MORE...]
//
// Each argument is a package (data.oap) or a folder laid out like one; a file in an earlier one
// hides the same file in a later one, so a folder of edited textures can be checked over the
// built package. Every stage of the arcade list and the hidden last stage is read, with its own
// layers and with the boss event's, and every enemy bullet the stage fires is compared with every
// layer (the rule is in BulletContrast.h and tools/artgen/README.md). Each bullet too close to a
// layer is one line:
//
//   STAGE: layer N (SPRITE, TEXTURE): BULLET... (frame F, body #rrggbb luma L hue H): too close
//   over P % of the layer
//
// and the tool exits with 1; a clean package prints one summary line per stage and exits with 0.
// --bodies prints the stage's bullet cells and their bodies, one a line, and checks nothing.

#include <cstdio>
#include <string>
#include <vector>

#include "BulletContrast.h"
#include "data/AssetPackage.h"
#include "data/Plist.h"

namespace {

const char* const kHiddenStage = "gd_stage_5_true";
const char* const kBossEvent = "gd_boss_event";

std::string describe(const contrast::BulletCell& bullet) {
    std::string names;
    for (const std::string& name : bullet.names) {
        names += (names.empty() ? "" : ", ") + name;
    }
    char figures[128];
    std::snprintf(figures, sizeof figures, " (frame %d, body %s luma %.2f hue %.0f)", bullet.frame,
                  contrast::hexOf(bullet.body.body).c_str(),
                  static_cast<double>(contrast::luma(bullet.body.body)),
                  static_cast<double>(contrast::hue(bullet.body.body)));
    return names + figures;
}

std::vector<std::string> stageNames() {
    std::vector<std::string> names;
    Plist::Array list;
    try {
        Plist::loadAssetArray("assets/plist/arcade_level_list.plist", list);
    } catch (const std::exception&) {
        list.clear();
    }
    for (const Plist::Value& entry : list) {
        if (const auto* name = boost::any_cast<std::string>(&entry)) {
            names.push_back(*name);
        }
    }
    names.push_back(kHiddenStage);
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    std::string bodiesOf;
    if (argc > 2 && std::string(argv[1]) == "--bodies") {
        bodiesOf = argv[2];
        first = 3;
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: orvale-contrast [--bodies STAGE] PACKAGE [MORE...]\n");
        return 1;
    }
    if (!mountToolPackages("orvale-contrast", std::vector<std::string>(argv + first, argv + argc))) {
        return 1;
    }

    if (!bodiesOf.empty()) {
        const contrast::Stage stage = contrast::readStage(bodiesOf);
        for (const contrast::BulletCell& bullet : stage.bullets) {
            std::printf("%s\n", describe(bullet).c_str());
        }
        unmountAssetPackage();
        return stage.bullets.empty() ? 1 : 0;
    }

    int faults = 0;
    for (const std::string& name : stageNames()) {
        for (const std::string& background : {std::string(), std::string(kBossEvent)}) {
            const contrast::Stage stage = contrast::readStage(name, background);
            for (const std::string& problem : stage.problems) {
                std::printf("%s: %s\n", name.c_str(), problem.c_str());
                ++faults;
            }
            if (stage.bullets.empty() && stage.problems.empty()) {
                std::printf("%s: no enemy bullet found\n", name.c_str());
                ++faults;
            }
            const std::string of = background.empty() ? "" : " of " + background;
            contrast::Finding closest;
            for (const contrast::Finding& finding : contrast::checkStage(stage, &closest)) {
                std::printf("%s: layer %d%s (%s, %s): %s: too close over %.1f %% of the layer\n",
                            name.c_str(), finding.layer, of.c_str(), finding.sprite.c_str(),
                            finding.texture.c_str(), describe(*finding.bullet).c_str(),
                            static_cast<double>(finding.share * 100.0f));
                ++faults;
            }
            if (closest.bullet != nullptr) {
                std::printf("%s: %zu layers%s, %zu bullet cells; closest: %s on layer %d, %.1f %%\n",
                            name.c_str(), stage.layers.size(), of.c_str(), stage.bullets.size(),
                            closest.bullet->names.front().c_str(), closest.layer,
                            static_cast<double>(closest.share * 100.0f));
            }
        }
    }
    std::printf("orvale-contrast: %d fault%s\n", faults, faults == 1 ? "" : "s");
    unmountAssetPackage();
    return faults == 0 ? 0 : 1;
}
