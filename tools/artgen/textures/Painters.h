// The painters of the texture table, one per texture.
#pragma once

#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

// Front end: title and menus.
void paintTitleLogo(Canvas& canvas, Random& random);
void paintTitleStart(Canvas& canvas, Random& random);
void paintSelectHighlight(Canvas& canvas, Random& random);
void paintMenuBackgroundNebula(Canvas& canvas, Random& random);
void paintMenuBackgroundDawn(Canvas& canvas, Random& random);
void paintMenuRule(Canvas& canvas, Random& random);
void paintMenuCard(Canvas& canvas, Random& random);
void paintMenuNote(Canvas& canvas, Random& random);
void paintTutorialPages(Canvas& canvas, Random& random);

// The load blocker.
void paintLoadLogo(Canvas& canvas, Random& random);
void paintLoadLogoPc(Canvas& canvas, Random& random);

// Gameplay: enemies, the player's ship and its effects.
void paintEnemyAtlas(Canvas& canvas, Random& random);
// The last three stages' own atlases: the house cells and frames, then the stage's own.
void paintStageFourEnemyAtlas(Canvas& canvas, Random& random);
void paintStageFiveEnemyAtlas(Canvas& canvas, Random& random);
void paintTrueFifthEnemyAtlas(Canvas& canvas, Random& random);
void paintStageFourBulletAtlas(Canvas& canvas, Random& random);
void paintStageFiveBulletAtlas(Canvas& canvas, Random& random);
void paintTrueFifthBulletAtlas(Canvas& canvas, Random& random);
void paintSenkoTypeA(Canvas& canvas, Random& random);
void paintSenkoOption(Canvas& canvas, Random& random);
void paintSenkoEngine(Canvas& canvas, Random& random);
void paintSenkoMarker(Canvas& canvas, Random& random);
void paintHitboxMarker(Canvas& canvas, Random& random);
void paintSenkoEffects(Canvas& canvas, Random& random);
void paintMothership(Canvas& canvas, Random& random);
void paintBomb(Canvas& canvas, Random& random);
void paintParticleAtlas(Canvas& canvas, Random& random);
void paintTrailAtlas(Canvas& canvas, Random& random);
void paintExplosion(Canvas& canvas, Random& random);

// The in-stage display and its overlays: font, gauges, cut-in, banners, panel.
void paintFontNovoWhite(Canvas& canvas, Random& random);
void paintHudGauges(Canvas& canvas, Random& random);
void paintHudMultiplierPlate(Canvas& canvas, Random& random);
void paintBreakCutIn(Canvas& canvas, Random& random);
void paintBreakCutInBackground(Canvas& canvas, Random& random);
void paintBreakCutInBlur(Canvas& canvas, Random& random);
void paintSplashBand(Canvas& canvas, Random& random);
void paintBossWarningBand(Canvas& canvas, Random& random);
void paintOverlayPanel(Canvas& canvas, Random& random);
void paintRedGlow(Canvas& canvas, Random& random);
void paintBeamWarning(Canvas& canvas, Random& random);
void paintHealthWarning(Canvas& canvas, Random& random);
void paintSplashStageNumbers(Canvas& canvas, Random& random);
void paintSplashStageText(Canvas& canvas, Random& random);
void paintBossWarningText(Canvas& canvas, Random& random);

// The stages: backdrops, the boss-event backdrop, the opening carrier and the game scene's
// plain effect shapes.
void paintStageOneNebula(Canvas& canvas, Random& random);
void paintStageOneStars(Canvas& canvas, Random& random);
void paintStageOneTunnel(Canvas& canvas, Random& random);
void paintBossEventVortex(Canvas& canvas, Random& random);
void paintMothershipMain(Canvas& canvas, Random& random);
void paintMothershipArmLeft(Canvas& canvas, Random& random);
void paintMothershipArmRight(Canvas& canvas, Random& random);
void paintMothershipEngine(Canvas& canvas, Random& random);
void paintInvertSquare(Canvas& canvas, Random& random);
void paintInvertCircle(Canvas& canvas, Random& random);
void paintBossPointer(Canvas& canvas, Random& random);
void paintRingEffect(Canvas& canvas, Random& random);

// The second stage: its backdrop and its two bosses (hull rows and the crucible arm).
void paintStageTwoField(Canvas& canvas, Random& random);
void paintStageTwoRocks(Canvas& canvas, Random& random);
void paintStageTwoGirders(Canvas& canvas, Random& random);
void paintStageTwoFurnace(Canvas& canvas, Random& random);
void paintBossGantry(Canvas& canvas, Random& random);
void paintBossForgeMother(Canvas& canvas, Random& random);
void paintBossForgeMotherArm(Canvas& canvas, Random& random);

// The bosses, their parts and decorations, and the boss gauge.
void paintBossParts(Canvas& canvas, Random& random);
void paintBossWarden(Canvas& canvas, Random& random);
void paintBossVigil(Canvas& canvas, Random& random);
void paintBossRuneCircle(Canvas& canvas, Random& random);
void paintBossEventCircle(Canvas& canvas, Random& random);
void paintSpellFlash(Canvas& canvas, Random& random);
void paintBreakRing(Canvas& canvas, Random& random);
void paintBossExplodeRing(Canvas& canvas, Random& random);
void paintBossHpGauge(Canvas& canvas, Random& random);

// The third stage: its bosses and its backdrop.
void paintThunderhead(Canvas& canvas, Random& random);
void paintTempest(Canvas& canvas, Random& random);
void paintTempestDeckModule(Canvas& canvas, Random& random);
void paintStageThreeSky(Canvas& canvas, Random& random);
void paintStageThreeClouds(Canvas& canvas, Random& random);
void paintStageThreeWisps(Canvas& canvas, Random& random);
void paintStageThreeFlash(Canvas& canvas, Random& random);

// The fourth stage: its bosses (hull rows and the flagship's turret) and its backdrop.
void paintBossBastion(Canvas& canvas, Random& random);
void paintBossSovereign(Canvas& canvas, Random& random);
void paintBossSovereignTurret(Canvas& canvas, Random& random);
void paintStageFourSpace(Canvas& canvas, Random& random);
void paintStageFourHulls(Canvas& canvas, Random& random);
void paintStageFourSmoke(Canvas& canvas, Random& random);
void paintStageFourLamps(Canvas& canvas, Random& random);
// The fifth stage: its bosses and its backdrop.
void paintBossLattice(Canvas& canvas, Random& random);
void paintBossCitadel(Canvas& canvas, Random& random);
void paintBossCitadelPetal(Canvas& canvas, Random& random);
void paintStageFiveCavern(Canvas& canvas, Random& random);
void paintStageFivePillars(Canvas& canvas, Random& random);
void paintStageFiveWall(Canvas& canvas, Random& random);
void paintStageFiveGlint(Canvas& canvas, Random& random);
void paintStageFiveLightRose(Canvas& canvas, Random& random);
void paintStageFiveLightAmber(Canvas& canvas, Random& random);
void paintStageFiveLightRed(Canvas& canvas, Random& random);
// The hidden fifth stage: its bosses and its backdrop.
void paintBossHerald(Canvas& canvas, Random& random);
void paintBossVortalis(Canvas& canvas, Random& random);
void paintBossVortalisBlade(Canvas& canvas, Random& random);
void paintTrueFifthVoid(Canvas& canvas, Random& random);
void paintTrueFifthSpiral(Canvas& canvas, Random& random);
void paintTrueFifthSpiralTight(Canvas& canvas, Random& random);
void paintTrueFifthSpiralRed(Canvas& canvas, Random& random);
void paintTrueFifthDust(Canvas& canvas, Random& random);

}  // namespace artgen
