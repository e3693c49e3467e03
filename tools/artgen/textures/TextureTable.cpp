#include "textures/TextureTable.h"

#include "raster/Svg.h"
#include "textures/BulletArt.h"
#include "textures/Painters.h"
#include "textures/ScreenArt.h"

namespace artgen {

// One texture per line, file name in quotes: the build reads the names from this table.
const std::vector<TextureEntry>& textureTable() {
    static const std::vector<TextureEntry> table = {
        {"title_logo.png", 640, 360, paintTitleLogo},
        {"title_start.png", 420, 56, paintTitleStart},
        {"load_logo_pc.png", 512, 256, paintLoadLogoPc},
        {"load_logo.png", 512, 256, paintLoadLogo},
        {"select_highlight.png", 128, 32, paintSelectHighlight},
        {"menu_bg_nebula.png", 1024, 1024, paintMenuBackgroundNebula},
        {"menu_bg_dawn.png", 1024, 1024, paintMenuBackgroundDawn},
        {"bullets.png", 512, 1024, paintBulletAtlas},
        {"enemies.png", 1024, 1024, paintEnemyAtlas},
        {"bullets_4.png", 512, 1024, paintStageFourBulletAtlas},
        {"enemies_4.png", 1024, 896, paintStageFourEnemyAtlas},
        {"bullets_5.png", 512, 1024, paintStageFiveBulletAtlas},
        {"enemies_5.png", 1024, 896, paintStageFiveEnemyAtlas},
        {"bullets_5_true.png", 512, 1024, paintTrueFifthBulletAtlas},
        {"enemies_5_true.png", 1024, 768, paintTrueFifthEnemyAtlas},
        {"senko_type_a.png", 512, 128, paintSenkoTypeA},
        {"senko_option.png", 128, 64, paintSenkoOption},
        {"senko_engine.png", 128, 128, paintSenkoEngine},
        {"senko_marker.png", 64, 64, paintSenkoMarker},
        {"hitbox_marker.png", 32, 32, paintHitboxMarker},
        {"senko_fx.png", 512, 256, paintSenkoEffects},
        {"mothership.png", 512, 512, paintMothership},
        {"bomb_player_1.png", 256, 256, paintBomb},
        {"particles.png", 512, 512, paintParticleAtlas},
        {"trails.png", 512, 512, paintTrailAtlas},
        {"explosion.png", 1024, 1024, paintExplosion},
        {"font_novo_white.png", 1024, 1024, paintFontNovoWhite},
        {"hud_gauges.png", 256, 128, paintHudGauges},
        {"hud_multiplier_plate.png", 128, 32, paintHudMultiplierPlate},
        {"break_cutin.png", 512, 128, paintBreakCutIn},
        {"break_cutin_bg.png", 512, 128, paintBreakCutInBackground},
        {"break_cutin_blur.png", 256, 128, paintBreakCutInBlur},
        {"splash_band.png", 512, 128, paintSplashBand},
        {"boss_warning_band.png", 512, 128, paintBossWarningBand},
        {"overlay_panel.png", 256, 256, paintOverlayPanel},
        {"btn_hud_default.png", 360, 216, nullptr, "btn_menu.svg"},
        {"hud_pointer_buttons.png", 192, 192, nullptr, "hud_pointer_buttons.svg"},
        {"red_glow.png", 128, 128, paintRedGlow},
        {"beam_warning.png", 128, 32, paintBeamWarning},
        {"life_counter.png", 256, 256, nullptr, "life_counter.svg"},
        {"health_warning.png", 256, 64, paintHealthWarning},
        {"splash_stage_numbers.png", 1024, 128, paintSplashStageNumbers},
        {"splash_stage_text.png", 512, 128, paintSplashStageText},
        {"boss_warning_text.png", 512, 128, paintBossWarningText},
        {"btn_menu.png", 400, 240, nullptr, "btn_menu.svg"},
        {"menu_rule.png", 520, 32, paintMenuRule},
        {"menu_card.png", 440, 450, paintMenuCard},
        {"menu_note.png", 480, 400, paintMenuNote},
        {"tutorial_pages.png", 1120, 1200, paintTutorialPages},
        {"stage1_nebula.png", 1024, 1024, paintStageOneNebula},
        {"stage1_stars.png", 1024, 1024, paintStageOneStars},
        {"stage1_tunnel.png", 512, 512, paintStageOneTunnel},
        {"boss_event_vortex.png", 512, 512, paintBossEventVortex},
        {"mothership_main.png", 152, 232, paintMothershipMain},
        {"mothership_arm_left.png", 52, 128, paintMothershipArmLeft},
        {"mothership_arm_right.png", 52, 128, paintMothershipArmRight},
        {"mothership_engine.png", 128, 96, paintMothershipEngine},
        {"invert_square.png", 144, 144, paintInvertSquare},
        {"invert_circle.png", 256, 256, paintInvertCircle},
        {"boss_pointer.png", 32, 32, paintBossPointer},
        {"boss_parts.png", 512, 256, paintBossParts},
        {"boss_warden.png", 1024, 256, paintBossWarden},  // a row of damage states
        {"boss_vigil.png", 1024, 256, paintBossVigil},
        {"boss_rune_circle.png", 256, 256, paintBossRuneCircle},
        {"boss_event_circle.png", 256, 256, paintBossEventCircle},
        {"spell_gfx.png", 256, 256, paintSpellFlash},
        {"break_ring.png", 256, 256, paintBreakRing},
        {"boss_explode_ring.png", 256, 256, paintBossExplodeRing},
        {"boss_hp_gauge.png", 256, 32, paintBossHpGauge},
        {"ring_effect.png", 64, 64, paintRingEffect},
        // The hangar, high-score, options, control-settings and results screens.
        {"hangar_buttons.png", 168, 112, paintHangarButtons},
        {"btn_menu_small.png", 170, 192, nullptr, "btn_menu_small.svg"},
        {"btn_menu_wide.png", 360, 180, nullptr, "btn_menu_wide.svg"},
        {"btn_menu_tab.png", 192, 192, nullptr, "btn_menu_tab.svg"},      // the high scores' tabs
        {"btn_menu_watch.png", 140, 156, nullptr, "btn_menu_small.svg"},  // WATCH in a score row
        {"btn_menu_row.png", 576, 168, nullptr, "btn_menu_row.svg"},  // an option's row, its setting shown
        {"btn_launch.png", 256, 240, paintLaunchButton},
        {"btn_hanger_back.png", 192, 192, paintHangarBackButton},
        {"rank_badges.png", 640, 256, paintRankBadges},
        {"score_labels.png", 256, 288, paintScoreLabels},
        {"slider_track.png", 256, 32, paintSliderTrack},
        {"slider_knob.png", 48, 48, paintSliderKnob},
        {"auto_trance_buttons.png", 768, 128, paintAutoTranceButtons},
        {"exp_bar.png", 512, 64, paintExperienceBar},
        {"level_pips.png", 64, 32, paintLevelPips},
        {"menu_row_plate.png", 640, 80, paintMenuRowPlate},
        // The second stage: its backdrop and its bosses (hulls in a row of 256 x 256 frames).
        {"stage2_field.png", 512, 512, paintStageTwoField},
        {"stage2_rocks.png", 512, 512, paintStageTwoRocks},
        {"stage2_girders.png", 512, 512, paintStageTwoGirders},
        {"stage2_furnace.png", 256, 256, paintStageTwoFurnace},
        {"boss_gantry.png", 1024, 256, paintBossGantry},
        {"boss_forgemother.png", 1024, 256, paintBossForgeMother},
        {"boss_forgemother_arm.png", 256, 256, paintBossForgeMotherArm},
        // The third stage: bosses (a row of damage states each) and backdrop.
        {"boss_thunderhead.png", 1024, 256, paintThunderhead},
        {"boss_tempest.png", 1024, 256, paintTempest},
        {"boss_tempest_deck.png", 256, 256, paintTempestDeckModule},
        {"stage3_sky.png", 512, 512, paintStageThreeSky},
        {"stage3_clouds.png", 512, 512, paintStageThreeClouds},
        {"stage3_wisps.png", 512, 512, paintStageThreeWisps},
        {"stage3_flash.png", 256, 256, paintStageThreeFlash},
        // The fourth stage: bosses (a row of damage states each) and backdrop.
        {"boss_bastion.png", 1024, 256, paintBossBastion},
        {"boss_sovereign.png", 1024, 256, paintBossSovereign},
        {"boss_sovereign_turret.png", 256, 256, paintBossSovereignTurret},
        {"stage4_space.png", 512, 512, paintStageFourSpace},
        {"stage4_hulls.png", 512, 512, paintStageFourHulls},
        {"stage4_smoke.png", 512, 512, paintStageFourSmoke},
        {"stage4_lamps.png", 256, 256, paintStageFourLamps},
        // The fifth stage: bosses (a row of damage states each) and backdrop.
        {"boss_lattice.png", 1024, 256, paintBossLattice},
        {"boss_citadel.png", 1024, 256, paintBossCitadel},
        {"boss_citadel_petal.png", 256, 256, paintBossCitadelPetal},
        {"stage5_cavern.png", 512, 512, paintStageFiveCavern},
        {"stage5_pillars.png", 512, 512, paintStageFivePillars},
        {"stage5_wall.png", 128, 512, paintStageFiveWall},
        {"stage5_glint.png", 256, 256, paintStageFiveGlint},
        {"stage5_light_rose.png", 128, 128, paintStageFiveLightRose},
        {"stage5_light_amber.png", 128, 128, paintStageFiveLightAmber},
        {"stage5_light_red.png", 128, 128, paintStageFiveLightRed},
        // The hidden fifth stage: bosses (a row of damage states each) and backdrop.
        {"boss_herald.png", 1024, 256, paintBossHerald},
        {"boss_vortalis.png", 1024, 256, paintBossVortalis},
        {"boss_vortalis_blade.png", 256, 256, paintBossVortalisBlade},
        {"stage5t_void.png", 512, 512, paintTrueFifthVoid},
        {"stage5t_spiral.png", 512, 512, paintTrueFifthSpiral},
        {"stage5t_spiral_tight.png", 512, 512, paintTrueFifthSpiralTight},
        {"stage5t_spiral_red.png", 512, 512, paintTrueFifthSpiralRed},
        {"stage5t_dust.png", 512, 512, paintTrueFifthDust},
    };
    return table;
}

const TextureEntry* findTexture(const std::string& fileName) {
    for (const TextureEntry& entry : textureTable()) {
        if (fileName == entry.fileName) {
            return &entry;
        }
    }
    return nullptr;
}

Canvas paintTexture(const TextureEntry& entry) {
    Canvas canvas(entry.width, entry.height);
    if (entry.svg != nullptr) {
        drawSvg(entry.svg, canvas);
    }
    if (entry.paint != nullptr) {
        Random random = Random::forName(entry.fileName);
        entry.paint(canvas, random);
    }
    return canvas;
}

}  // namespace artgen
