"""Builds the kinfold extension module and the kinfold command with the
project's own CMake build, so that `pip install .` compiles the library, the
binding and the tool exactly as the CMake targets do, and ships the tool
inside the package for the `kinfold` console script.

The build folder is KINFOLD_BUILD_DIR when set (the test script passes its
native one); else build/native when it was configured for this tree and this
interpreter, so an existing build is reused and only brought up to date;
else a folder of its own under build/.
"""
import os
import shutil
import subprocess
import sys
import sysconfig

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))
DEFAULT_BUILD_DIR = os.path.join(ROOT, 'build', 'native')


def read_cache(build_dir):
    """The settings of a configured CMake build folder, by name; empty when
    it has not been configured."""
    settings = {}
    try:
        with open(os.path.join(build_dir, 'CMakeCache.txt'), encoding='utf-8') as cache:
            for line in cache:
                name, _, value = line.rstrip('\n').partition('=')
                if value and not line.startswith(('#', '//')):
                    settings[name.split(':', 1)[0]] = value
    except OSError:
        pass
    return settings


def builds_for_us(settings):
    """Whether a configured folder builds this tree for the interpreter pip
    runs (a module made for another one would not import)."""
    home, python = settings.get('CMAKE_HOME_DIRECTORY'), settings.get('Python3_EXECUTABLE')
    return (home is not None and python is not None and os.path.isdir(home)
            and os.path.samefile(home, ROOT)
            and os.path.realpath(python) == os.path.realpath(sys.executable))


class CMakeBuild(build_ext):
    def build_dir(self):
        chosen = os.environ.get('KINFOLD_BUILD_DIR')
        if chosen:
            return chosen
        if builds_for_us(read_cache(DEFAULT_BUILD_DIR)):
            return DEFAULT_BUILD_DIR
        return os.path.join(self.build_temp, 'cmake')

    def configure(self, build_dir):
        settings = read_cache(build_dir)
        if settings.get('KINFOLD_BUILD_PYTHON') == 'ON':
            return  # configured; the build re-runs CMake itself when it must
        configure = ['cmake', '-S', ROOT, '-B', build_dir, '-DKINFOLD_BUILD_PYTHON=ON']
        if not settings:
            configure += ['-DCMAKE_BUILD_TYPE=Release', '-DKINFOLD_BUILD_TESTS=OFF',
                          '-DKINFOLD_BUILD_BENCH=OFF', '-DPython3_EXECUTABLE=' + sys.executable]
            if shutil.which('ninja'):
                configure += ['-G', 'Ninja']
        subprocess.check_call(configure)

    def build_extension(self, ext):
        build_dir = self.build_dir()
        self.configure(build_dir)
        subprocess.check_call(['cmake', '--build', build_dir, '--target', 'kinfold_python',
                               'kinfold_cli', '--parallel', os.environ.get('KINFOLD_JOBS', '2')])
        module = os.path.join(build_dir, 'python', '_kinfold' + sysconfig.get_config_var('EXT_SUFFIX'))
        tool = os.path.join(build_dir, 'apps', 'kinfold', 'kinfold')
        for built in (module, tool):
            if not os.path.exists(built):
                raise RuntimeError('the CMake build in %s made no %s (is it configured for %s?)'
                                   % (build_dir, os.path.basename(built), sys.executable))
        target = self.get_ext_fullpath(ext.name)
        os.makedirs(os.path.join(os.path.dirname(target), 'bin'), exist_ok=True)
        shutil.copyfile(module, target)
        shutil.copy2(tool, os.path.join(os.path.dirname(target), 'bin', 'kinfold'))


setup(ext_modules=[Extension('kinfold._kinfold', sources=[])],
      cmdclass={'build_ext': CMakeBuild})
