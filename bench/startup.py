#!/usr/bin/env python3
"""Start-up time of the editor, as a person sees it: from launching the
program to its main window on the screen, under Xvfb with a window manager.

Two cases, each the median of 10 runs: an empty command line, and an
8000 x 8000 24-bit BMP on the command line. Run from the repository:

    python3 bench/startup.py [build/bin]

It starts its own Xvfb and openbox on a free display and removes everything
it made when it ends.
"""
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time


def write_bmp(path, width, height):
    """A grey 24-bit bitmap, written row by row."""
    stride = (width * 3 + 3) & ~3
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 54 + stride * height, 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, stride * height,
                            2835, 2835, 0, 0))
        row = bytes([128]) * (width * 3) + bytes(stride - width * 3)
        for _ in range(height):
            f.write(row)


def free_display():
    for n in range(97, 200):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return f":{n}"
    raise SystemExit("no free X display")


def time_to_window(program, folder, args, env):
    """Seconds from the launch to the main window mapped on the screen."""
    start = time.monotonic()
    proc = subprocess.Popen([program, *args], cwd=folder, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # Polled: a search that waits trips over the splash window going away.
        while time.monotonic() - start < 60:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tupa :"],
                                   env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if found.returncode == 0:
                return time.monotonic() - start
            time.sleep(0.005)
        raise SystemExit("the main window did not appear within 60 s")
    finally:
        proc.kill()
        proc.wait()


def main():
    bin_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin")
    with tempfile.TemporaryDirectory() as tmp:
        # A program folder of its own, so that no settings of a real one change.
        folder = os.path.join(tmp, "prog")
        shutil.copytree(bin_dir, folder, ignore=shutil.ignore_patterns("*_tests", "*_bench"))
        picture = os.path.join(tmp, "big.bmp")
        write_bmp(picture, 8000, 8000)
        # A 4000 x 3000 photo-like JPEG, opened through the converter add-in.
        photo = os.path.join(tmp, "photo.jpg")
        subprocess.run(["convert", "-size", "4000x3000", "plasma:fractal", "-quality", "90", photo],
                       check=True)
        converter = os.path.join(folder, "tupaconv")
        alone = []
        for _ in range(10):
            start = time.monotonic()
            subprocess.run([converter, "read", photo, os.path.join(tmp, "GT000000.BMP")],
                           check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            alone.append(time.monotonic() - start)
        print(f"{'converter alone':20s} median {statistics.median(alone) * 1000:7.0f} ms"
              f"  (4000 x 3000 JPEG to the exchange bitmap)")

        display = free_display()
        env = dict(os.environ, DISPLAY=display)
        env.pop("QT_QPA_PLATFORM", None)
        xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        time.sleep(1)
        try:
            program = os.path.join(folder, "tupalo")
            for name, args in (("empty command line", []), ("8000 x 8000 BMP", [picture]),
                               ("4000 x 3000 JPEG", [photo])):
                times = []
                for _ in range(10):
                    # Each run starts from the factory settings.
                    for f in ("TUPA.CNF", "TUPA.CDI"):
                        try:
                            os.remove(os.path.join(folder, f))
                        except FileNotFoundError:
                            pass
                    times.append(time_to_window(program, folder, args, env))
                print(f"{name:20s} median {statistics.median(times) * 1000:7.0f} ms"
                      f"  (min {min(times) * 1000:.0f}, max {max(times) * 1000:.0f})")
        finally:
            wm.kill()
            xvfb.kill()


if __name__ == "__main__":
    main()
