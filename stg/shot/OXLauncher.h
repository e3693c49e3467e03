#pragma once

#include <string>

#include "engine/IXRenderObject.h"

class CXBulletManager;
class OXLauncherPlatform;
struct BulletProperties;
struct FirePattern;

// A gun: configured from a fire pattern by the bullet manager's setupLauncher,
// it fires volleys through the manager while its carrier keeps it placed and
// ticked. Idle after resetActions, armed once set up (and after each run),
// firing from start() until the run's last volley.
class OXLauncher : public IXRenderObject {
  public:
    enum State { Idle = 0, Armed = 1, Firing = 2 };

    ~OXLauncher() override;
    void load(const std::string& path) override;
    // All run state back to zero; idle.
    void resetActions() override;
    void tick(float dtMs) override;

    // Armed with no cooldown left: the next tick fires the first volley.
    void start();
    // Back to armed; a beam launcher also ends its beams.
    void stop();
    // Run counters back to the start of a run; armed.
    void restart();
    bool isFiring() const;

    // Links.
    void setManager(CXBulletManager* value) { manager = value; }
    CXBulletManager* getManager() const { return manager; }
    void setOwner(OXLauncherPlatform* value) { owner = value; }
    OXLauncherPlatform* getOwner() const { return owner; }
    // The pattern whose bullet type name this launcher fires (names only; the
    // values are copied by setupLauncher).
    void setPattern(const FirePattern* value) { pattern = value; }
    const FirePattern* getPattern() const { return pattern; }
    const std::string& bulletTypeName() const;
    void setBulletType(const BulletProperties* value) { bulletType = value; }
    const BulletProperties* getBulletType() const { return bulletType; }

    // Configured values; setting the delay, repeat, direction angle, gap
    // frequency or gap size also sets the run counter that follows it.
    void setDelay(float ms);
    void setRepeat(int volleys);
    void setSalvo(int bullets) { salvo = bullets; }
    void setBomblet(int bullets) { bomblet = bullets; }
    void setBombletAngle(float degrees) { bombletAngle = degrees; }
    void setBombletSpeedChange(float value) { bombletSpeedChange = value; }
    void setDirectionType(int value) { directionType = value; }
    void setDirectionAngle(float degrees);
    void setDirectionChange(float degrees) { directionChange = degrees; }
    void setAimType(int value) { aimType = value; }
    void setAngleChange(float degrees) { angleChange = degrees; }
    void setSpeedChange(float value) { speedChange = value; }
    void setRepeatSpeedChange(float value) { repeatSpeedChange = value; }
    void setRepeatSalvoChange(float value) { repeatSalvoChange = value; }
    void setRepeatBombletChange(float value) { repeatBombletChange = value; }
    void setOffset(const Vec3& value) { offset = value; }
    void setRepeatOffset(const Vec3& value) { repeatOffset = value; }
    void setGapFrequency(int volleys);
    void setGapSize(int volleys);
    void setIsBeam(bool value) { isBeam = value; }
    void setWantSound(bool value) { wantSound = value; }
    void setBeamValue(float value) { beamValue = value; }
    void setState(int value) { state = value; }
    // Placement on the carrier.
    void setMount(const Vec3& value) { mount = value; }
    const Vec3& getMount() const { return mount; }
    void setNonRelative(bool value) { nonRelative = value; }
    void setCooldown(float ms) { cooldown = ms; }
    void setOrbitSpeed(float degreesPerMs) { orbitSpeed = degreesPerMs; }
    void setOrbitRotation(float degrees) { orbitRotation = degrees; }
    void setOrbitRadius(float units) { orbitRadius = units; }
    float getOrbitRadius() const { return orbitRadius; }
    float getOrbitRotation() const { return orbitRotation; }
    void setCarrierDirection(float degrees) { carrierDirection = degrees; }

    int getState() const { return state; }
    float getDelay() const { return delay; }
    int getRepeat() const { return repeat; }
    int getRepeatsLeft() const { return repeatsLeft; }
    int getSalvo() const { return salvo; }
    int getBomblet() const { return bomblet; }
    int getGapFrequency() const { return gapFrequency; }
    int getGapSize() const { return gapSize; }
    float getCooldownTimer() const { return cooldownTimer; }
    bool getIsBeam() const { return isBeam; }

    // The most bullets (or beams) one salvo, or one bomblet spread, can ask
    // for: no pool holds more, so a larger count is cut to this with a line.
    static constexpr int kMostPerVolley = 2000;

  private:
    void fireVolley(float& angle);
    // The count of a salvo or bomblet spread for volley k of the run, clamped to 0 … kMostPerVolley.
    int volleyCount(int base, float changePerVolley, int k, const char* what);
    // The direction from the launcher to what it aims at; false when there is nothing to aim at.
    bool aimAt(float& degrees) const;
    // False when the bullet pool had no free slot.
    bool fireOne(float angle, const Vec3& at, float speedOffset);

    // Configured values.
    float delay = 0.0f;  // ms between volleys
    int repeat = 0;      // volleys in a run
    int salvo = 0;
    int bomblet = 0;
    float bombletAngle = 0.0f;  // degrees
    float bombletSpeedChange = 0.0f;
    int directionType = 0;
    float directionAngle = 0.0f;   // degrees
    float directionChange = 0.0f;  // degrees
    int aimType = 0;
    float angleChange = 0.0f;  // degrees
    const FirePattern* pattern = nullptr;
    const BulletProperties* bulletType = nullptr;
    float speedChange = 0.0f;
    float repeatSpeedChange = 0.0f;
    float repeatSalvoChange = 0.0f;
    float repeatBombletChange = 0.0f;
    Vec3 offset{};
    Vec3 repeatOffset{};
    int gapFrequency = 0;
    int gapSize = 0;
    bool isBeam = false;
    bool wantSound = false;
    float beamValue = 0.0f;

    // Run state.
    float delayTimer = 0.0f;  // ms
    int repeatsLeft = 0;
    float salvoAngle = 0.0f;   // degrees
    float angleOffset = 0.0f;  // degrees, sum of angle changes
    float salvoSpeedOffset = 0.0f;
    float carrierDirection = 0.0f;  // degrees
    float aimAngle = 0.0f;          // degrees, the first aim of a run
    int gapCountdown = 0;
    int gapRemaining = 0;
    int state = Idle;
    float cooldown = 0.0f;       // ms after a run before start() works again
    float cooldownTimer = 0.0f;  // ms
    bool poolFull = false;       // a bullet was refused this tick: the rest of the burst is not tried
    bool clampReported = false;  // the line about a clamped count has been printed

    // Placement.
    Vec3 mount{};                // offset on the carrier
    bool nonRelative = false;    // bullets start at `mount` taken as a playfield position
    float orbitRadius = 0.0f;    // playfield units
    float orbitSpeed = 0.0f;     // degrees per ms
    float orbitRotation = 0.0f;  // degrees

    // Links, not owned.
    CXBulletManager* manager = nullptr;
    OXLauncherPlatform* owner = nullptr;
};
