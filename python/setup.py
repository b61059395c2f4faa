"""Builds zelto._zelto: the project's core, compiled by CMake into static libraries, linked
into one extension module that needs nothing of the build tree once installed.

The core is built in python/build/core, or in ZELTO_BUILD_DIR (a build folder of the project
that holds or can make the zelto_batch target, e.g. the build/ scripts/test.sh makes).
"""

import os
import pathlib
import shlex
import subprocess

from pybind11.setup_helpers import Pybind11Extension, build_ext
from setuptools import setup

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent
# Shared libraries of the system the core uses: ICU, the QR generator, cairo and pango, zlib.
PKG_MODULES = ["icu-uc", "icu-i18n", "qrcodegencpp", "cairo", "pangocairo", "zlib"]


def pkg_config(*args):
    return shlex.split(subprocess.check_output(["pkg-config", *args, *PKG_MODULES], text=True))


class BuildWithCore(build_ext):
    def run(self):
        build = pathlib.Path(os.environ.get("ZELTO_BUILD_DIR") or HERE / "build" / "core")
        if not build.is_absolute():
            build = REPO / build
        if not (build / "CMakeCache.txt").exists():
            subprocess.check_call(["cmake", "-S", str(REPO), "-B", str(build),
                                   "-DCMAKE_BUILD_TYPE=Release"])
        jobs = os.environ.get("ZELTO_BUILD_JOBS", str(os.cpu_count() or 1))
        subprocess.check_call(["cmake", "--build", str(build), "--target", "zelto_batch",
                               "-j", jobs])
        # The core's archives change without the module's own sources changing: always relink,
        # so a build folder left by an earlier install never hands out an old core.
        self.force = True
        for ext in self.extensions:
            # The batch engine first: it uses the core, which comes after it.
            ext.extra_objects = [str(build / "libzelto_batch.a"),
                                 str(build / "libzelto_internal.a")]
        super().run()


setup(
    ext_modules=[
        Pybind11Extension(
            "zelto._zelto",
            [str(p.relative_to(HERE)) for p in sorted((HERE / "src").glob("*.cc"))],
            include_dirs=[str(REPO), str(REPO / "include")],
            cxx_std=20,
            extra_compile_args=pkg_config("--cflags") + ["-fvisibility=hidden"],
            extra_link_args=pkg_config("--libs"),
        )
    ],
    cmdclass={"build_ext": BuildWithCore},
)
