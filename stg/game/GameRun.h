#pragma once

#include <cstdint>

#include "stg/game/GameChoices.h"

// The values of one game from its start to its end: the choices it plays by, the fighter's
// stock and start values, the counters of the game and the stage, what the ship carries from
// one stage to the next and where the route has led. The session owns it and starts it from
// the menus' choices and the profile; the game scene, the ship (through the scene) and the
// HUD read and change it. Plain values, with the few rules that change them together.
struct GameRun {
    GameMode mode = GameMode::Arcade;
    bool casual = false;
    Difficulty difficulty = kDefaultDifficulty;
    int stageIndex = 0;  // in the level list

    // The fighter's stock and what the game started with.
    int weaponLevel = 0, missileLevel = 0, optionPairs = 0;
    int startLives = 2, startContinues = 1, startBombs = 2;
    int lives = 2, continues = 1, bombs = 2;

    int64_t score = 0;
    int64_t highScore = 0;   // the table's best, raised by the score
    int64_t bestBefore = 0;  // the table's best when the game started

    // The stage's counts (a death clears the grazes and orbs) and its clear bonuses.
    int grazes = 0, orbs = 0;
    int grazeBonus = 0, orbBonus = 0;
    // The game's counts.
    int kills = 0, trances = 0;
    int experience = 0;

    // The ship's gauges and chain at the last stage clear, for the next stage's ship.
    float carriedBeamGauge = 0.0f, carriedBreakGauge = 0.0f;
    int carriedGrazeChain = 0, carriedChainBonus = 0;
    // The trance multiplies the graze chain's bonus by this; it grows with each clear.
    float tranceFactor = 1.0f;

    bool movementAllowed = true, shootingAllowed = true, breakGaugeEnabled = true;
    bool gameFinished = false;       // the campaign's last stage is cleared
    bool trueRoute = false;          // the hidden last stage was reached
    bool hiddenStageChosen = false;  // free play of the hidden last stage

    // Raises the high score when the score passes it.
    void setScore(int64_t value) {
        score = value;
        if (score > highScore) {
            highScore = score;
        }
    }
    // A respawn costs a life and refills the bombs, unless it is the stage's first spawn.
    void countRespawn(bool firstSpawn) {
        if (firstSpawn) {
            return;
        }
        --lives;
        bombs = startBombs;
    }
    void useBomb() {
        if (bombs > 0) {
            --bombs;
        }
    }
    void countKill() {
        ++kills;
        ++experience;
    }
    // Death: the stage's grazes and orbs start again.
    void resetStageCounters() {
        grazes = 0;
        orbs = 0;
    }
    // A continue taken: one fewer, the lives refilled and the score given up.
    void takeContinue() {
        --continues;
        lives = startLives + 1;
        setScore(0);
    }
    // This game's best has passed the best its table held when it started (an equal score is no
    // record). What the table keeps is then highScore.
    bool isNewRecord() const { return highScore > bestBefore; }
};
