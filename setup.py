"""Builds the orvalen package: its C++ part with CMake (the target
orvalen_python, over the same core as orvalen-find), its Python files from
python/orvalen, and the bundled dictionaries (and readings data, when there)
from data/ into orvalen/data.

ccache, when installed, makes a rebuild quick, also from another copy of
the checkout. CMAKE_BUILD_PARALLEL_LEVEL sets the compile jobs (2 by
default). ORVALEN_CMAKE_BUILD_DIR names a CMake build of the checkout that
is configured already (build/native, say): the module is then built, or
found up to date, there, instead of in a build of its own.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext
from setuptools.command.build_py import build_py

ROOT = Path(__file__).resolve().parent
DATA_FILES = ["hz.txt", "hz-gbk.txt", "readings.txt", "differences.txt", "CREDITS.txt"]


class BuildWithCMake(build_ext):
    def build_extension(self, ext):
        env = dict(os.environ)
        prebuilt = env.get("ORVALEN_CMAKE_BUILD_DIR")
        build = Path(prebuilt).resolve() if prebuilt else Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            f"-DPython_EXECUTABLE={sys.executable}",
        ]
        if "CMAKE_CXX_COMPILER_LAUNCHER" not in env and shutil.which("ccache"):
            configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
            # Paths below the checkout are hashed as relative ones, so that a
            # fresh copy of the checkout finds what an earlier one compiled.
            env.setdefault("CCACHE_BASEDIR", str(ROOT))
        env.setdefault("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        if not prebuilt:
            subprocess.run(configure, check=True, env=env)
        subprocess.run(["cmake", "--build", str(build), "--target", "orvalen_python"], check=True, env=env)
        built = next((build / "python" / "orvalen").glob("_core*"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


class BuildWithData(build_py):
    def run(self):
        super().run()
        data = Path(self.build_lib) / "orvalen" / "data"
        data.mkdir(parents=True, exist_ok=True)
        for name in DATA_FILES:
            if (ROOT / "data" / name).exists():
                shutil.copyfile(ROOT / "data" / name, data / name)


setup(
    packages=["orvalen"],
    package_dir={"": "python"},
    package_data={"orvalen": ["_core.pyi", "py.typed"]},
    ext_modules=[Extension("orvalen._core", sources=[])],
    cmdclass={"build_ext": BuildWithCMake, "build_py": BuildWithData},
    zip_safe=False,
)
