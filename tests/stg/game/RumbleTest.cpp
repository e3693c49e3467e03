// The controller's rumble in play: a graze chain's milestones, a bomb, the ship lost and a boss's
// death each reach the controller with their pulse when the profile allows it; a watched replay
// rumbles only when the player asked, never while it seeks, and plays the same game either way.
#include <gtest/gtest.h>

#include <vector>

#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/ReplayDeck.h"
#include "stg/game/ReplayPlayer.h"
#include "stg/game/Rumble.h"
#include "stg/shot/CXBulletManager.h"
#include "tests/stg/game/GameTestSupport.h"

namespace {

constexpr float kFrameMs = 16.7f;

class RecordingRumble : public IXRumble {
  public:
    void rumble(const RumblePulse& pulse) override { pulses.push_back(pulse); }
    std::vector<RumblePulse> pulses;
};

bool samePulse(const RumblePulse& a, const RumblePulse& b) {
    return a.low == b.low && a.high == b.high && a.ms == b.ms;
}

class RumbleTest : public gametest::SessionTest {
  protected:
    void SetUp() override {
        gametest::SessionTest::SetUp();
        session.setRumble(&device);
    }
    void TearDown() override {
        session.setRumble(nullptr);
        gametest::SessionTest::TearDown();
    }
    int pulsesOf(RumbleCue cue) const {
        int count = 0;
        for (const RumblePulse& pulse : device.pulses) {
            count += samePulse(pulse, rumblePulse(cue)) ? 1 : 0;
        }
        return count;
    }
    // `count` bullets grazed by the ship.
    void graze(int count) {
        OXScnBaseSTGGame& scene = *session.getGameScene();
        for (int i = 0; i < count; ++i) {
            scene.graze(scene.getBulletManager()->enemyBullet(i));
        }
    }
    // The stage's boss is brought on and dies.
    void bossDies() {
        CXEnemyManager& enemies = *session.getGameScene()->getEnemyManager();
        enemies.setMidBossDone(true);
        ASSERT_TRUE(enemies.startBoss());
        enemies.currentBoss()->die();
    }
    // The first stage with a ship that stands still, one bomb in stock, until the waves have hit
    // it twice: the first hit sets off the bomb, the second loses the ship.
    void playUntilLost() {
        profile.bombs = 1;
        session.setSeed(777);
        startPlaying();
        for (int frame = 0; frame < 6000 && session.getRecording().hits.size() < 2; ++frame) {
            session.tick(kFrameMs);
        }
        session.finishRecording();
        ASSERT_EQ(session.getRecording().hits.size(), 2u);
    }

    RecordingRumble device;
};

TEST_F(RumbleTest, EachMomentOfPlayReachesTheControllerWithItsPulseWhenRumbleIsOn) {
    profile.rumble = false;
    startPlaying();
    graze(30);
    EXPECT_TRUE(device.pulses.empty()) << "rumble switched off in the profile";
    profile.rumble = true;  // read at each use, as the pause screen may change it
    // Every tenth graze of a chain (now at 30), not every graze.
    graze(9);
    EXPECT_EQ(pulsesOf(RumbleCue::GrazeChain), 0);
    graze(16);
    EXPECT_EQ(pulsesOf(RumbleCue::GrazeChain), 2);
    EXPECT_EQ(device.pulses.size(), 2u);
    bossDies();
    EXPECT_EQ(pulsesOf(RumbleCue::BossDeath), 1);

    device.pulses.clear();
    session.endGame();
    playUntilLost();
    EXPECT_EQ(pulsesOf(RumbleCue::Bomb), 1) << "the bomb the hit set off";
    EXPECT_EQ(pulsesOf(RumbleCue::ShipHit), 1) << "the ship lost";
}

TEST_F(RumbleTest, AWatchedReplayRumblesOnlyWhenAskedAndPlaysTheSameGame) {
    playUntilLost();
    const Replay recorded = session.getRecording();
    const std::vector<RumblePulse> played = device.pulses;
    ASSERT_GE(played.size(), 2u);

    // Watched without asking: no pulse, and the game checks the same frame by frame as the
    // game that rumbled.
    for (const bool asked : {false, true}) {
        SCOPED_TRACE(asked);
        device.pulses.clear();
        CXUserProfile watchValues;
        watchValues.rumbleInReplays = asked;
        ReplayPlayer player;
        player.start(session, recorded, watchValues);
        while (!player.isDone()) {
            player.step(kFrameMs);
        }
        EXPECT_EQ(player.getStatus(), ReplayPlayer::Finished);
        ASSERT_EQ(device.pulses.size(), asked ? played.size() : 0u);
        for (size_t i = 0; i < device.pulses.size(); ++i) {
            EXPECT_TRUE(samePulse(device.pulses[i], played[i])) << i;
        }
        session.endGame();
    }

    // A seek plays its frames unfelt, even with rumble in replays asked for.
    device.pulses.clear();
    CXUserProfile watchValues;
    watchValues.rumbleInReplays = true;
    ReplayDeck deck;
    deck.open(session, recorded, watchValues);
    deck.seekTo(recorded.frames);
    deck.seekNow();
    EXPECT_EQ(deck.getFrame(), recorded.frames);
    EXPECT_TRUE(device.pulses.empty());
    deck.close();
}

}  // namespace
