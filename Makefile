# VORTALIS 2: the two commands of the README.
#   make run   installs what is missing, builds, packs data.oap, starts the game
#   make test  the same set-up, then every test
#   make install [PREFIX=/usr/local]  builds, then installs the game like any Linux game
#   make deb   builds, then packs the Debian package build/vortalis2_VERSION-1_ARCH.deb
#   make dist  the last commit as a source tarball, vortalis2-VERSION.tar.gz
# Everything comes from Debian's packages; nothing is downloaded at build time.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local

# What the game, its tools and its tests need from Debian 12.
PACKAGES := \
	cmake ninja-build g++ make pkg-config python3 zip \
	lintian debootstrap curl \
	libsfml-dev libsdl2-dev libx11-dev libglew-dev libglu1-mesa-dev libgl1-mesa-dri libphysfs-dev libpugixml-dev \
	libboost-dev liblodepng-dev librsvg2-dev fonts-dejavu-core \
	libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
	xvfb xauth xdotool imagemagick libopenal1 \
	desktop-file-utils appstream libvorbis-dev libebur128-dev sox \
	libfluidsynth-dev musescore-general-soundfont-small

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps configure clean install deb

run: build
	cd $(BUILD_DIR) && ./vortalis2

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 600 -j2

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The package is the install under /usr, packed from the build folder (cmake/Package.cmake).
deb: build
	tests/release/build_deb.sh $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DORVALE_WERROR=ON

# Installs only the packages that are not there yet.
deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q "install ok installed" || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

clean:
	rm -rf $(BUILD_DIR)

.PHONY: dist
dist:
	tools/make-dist.sh .
