"""Builds the kinfold extension module with the project's own CMake build,
so that `pip install .` compiles the library and the binding exactly as the
CMake targets do. KINFOLD_BUILD_DIR names a build folder to reuse (the test
script passes its native one); otherwise one is made under build/.
"""
import glob
import os
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build_dir = os.environ.get('KINFOLD_BUILD_DIR') or os.path.join(self.build_temp, 'cmake')
        configure = ['cmake', '-S', ROOT, '-B', build_dir, '-DKINFOLD_BUILD_PYTHON=ON']
        if not os.path.exists(os.path.join(build_dir, 'CMakeCache.txt')):
            configure += ['-DCMAKE_BUILD_TYPE=Release', '-DKINFOLD_BUILD_TESTS=OFF',
                          '-DKINFOLD_BUILD_BENCH=OFF', '-DPython3_EXECUTABLE=' + sys.executable]
            if shutil.which('ninja'):
                configure += ['-G', 'Ninja']
        subprocess.check_call(configure)
        subprocess.check_call(['cmake', '--build', build_dir, '--target', 'kinfold_python',
                               '--parallel', os.environ.get('KINFOLD_JOBS', '2')])
        built = glob.glob(os.path.join(build_dir, 'python', '_kinfold*'))
        if not built:
            raise RuntimeError('the CMake build made no _kinfold module in ' + build_dir)
        target = self.get_ext_fullpath(ext.name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(built[0], target)


setup(ext_modules=[Extension('kinfold._kinfold', sources=[])],
      cmdclass={'build_ext': CMakeBuild})
