# Builds drive_model, the car for Python, from the program's own vehicle/
# and controls/. The one description of the module's build:
#
#   /usr/bin/python3 -m venv --system-site-packages VENV
#   VENV/bin/pip install --no-build-isolation .
#
# (README.md, "The car in Python", says why just so.)
import glob
import os
import re

from pybind11.setup_helpers import Pybind11Extension
from setuptools import setup


def project_version():
    """The version's one home is CMakeLists.txt's project()."""
    with open("CMakeLists.txt", encoding="utf-8") as f:
        return re.search(r"project\(drive VERSION ([0-9.]+)", f.read()).group(1)


model = Pybind11Extension(
    "drive_model",
    sorted(glob.glob("python/*.cpp") + glob.glob("record/*.cpp"))
    + ["vehicle/car.cpp", "vehicle/physics.cpp", "controls/controls.cpp"],
    # controls/ reads key[] through <allegro.h>: the web build's stand-in
    # declares it without the library, python/key_array.cpp defines it
    # and record/keys.cpp fills it.
    include_dirs=[".", "web/include"],
    depends=sorted(glob.glob("python/*.h") + glob.glob("record/*.h")
                   + glob.glob("vehicle/*.h")
                   + glob.glob("controls/*.h")
                   + ["web/include/allegro.h", "setup.py"]),
    # As CMakeLists.txt builds the program: no fused multiply-add and no
    # SLP vectorizer, or the step would round otherwise than the program's.
    # Not -Wpedantic: pybind11 2.13's module macro takes a variadic
    # argument that C++17 wants given; CMake holds vehicle/ and controls/
    # to it. tests/python/install_test.sh fails on any warning.
    extra_compile_args=["-ffp-contract=off", "-fno-tree-slp-vectorize",
                        "-Wall", "-Wextra", "-Wmissing-declarations"],
    cxx_std=17,
)

os.makedirs("build/python", exist_ok=True)
setup(
    name="drive_model",
    version=project_version(),
    description="The drive demo's car model, for learners",
    license="MIT",
    ext_modules=[model],
    install_requires=["numpy"],
    # Build files under build/, beside CMake's, not in the source tree.
    options={"build": {"build_base": "build/python"},
             "egg_info": {"egg_base": "build/python"}},
)
