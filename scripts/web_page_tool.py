#!/usr/bin/env python3
"""The editor's web page in headless Chromium, for people rather than tests:

    web_page_tool.py screenshot --tavimore EXE --site DIR --output PNG
    web_page_tool.py framed --tavimore EXE --site DIR --output PNG
    web_page_tool.py measure --tavimore EXE --site DIR [--runs N]

`screenshot` fills the page as a person would (a name, the sample strip moon, the Pirrow
shape, the clock at 10:10:30) and saves the browser's view; `framed` does the same with a
photo-like picture and its square frame moved off the centre. `measure` prints what loading
the page transfers (every response, as the network counted it), the time from choosing
a picture strip to its first preview (the three sample strips and one of 255 faces), and
what making a clock loads.
"""
import argparse
import importlib.util
import json
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from web_session import Server, choose_picture, load_page, start_browser  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

# The editor tests' picture writer (a plain BMP of any size, quickly).
_spec = importlib.util.spec_from_file_location(
    "strip_pictures", os.path.join(ROOT, "tests", "editor_wine", "pictures.py"))
strip_pictures = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(strip_pictures)

SAMPLES = ["moon", "sakura", "sunset"]


def screenshot(driver, server, output):
    load_page(driver, server.url, "time=10:10:30&frame=0")
    driver.find_element(By.ID, "name").send_keys("月の時計")
    driver.find_element(By.ID, "url").send_keys("https://tavimore.example/moon")
    driver.find_element(By.XPATH, "//select[@id='shape']/option[text()='Pirrow']").click()
    # The README's moon clock: light hands on the night sky.
    for h, (colour, length) in enumerate([("#fff4c0", 55), ("#ffffff", 80), ("#ff6060", 90)]):
        driver.execute_script(
            "for (const [id, v] of [['col' + arguments[0], arguments[1]], ['len' + arguments[0], arguments[2]]]) {"
            " const e = document.getElementById(id); e.value = v;"
            " e.dispatchEvent(new Event('input', {bubbles: true})); }", h, colour, str(length))
    choose_picture(driver, os.path.join(ROOT, "samples", "moon.png"))
    driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0);")
    driver.save_screenshot(output)
    print("web_page_tool: %s" % output)


def scene(path):
    """A photo-like picture, 480 x 320: an evening sky over a sea, a sun and a dark hill."""
    import math
    sys.path.insert(0, os.path.join(ROOT, "scripts"))
    import pictures
    rows = []
    for y in range(320):
        row = []
        for x in range(480):
            sky = y / 200
            r, g, b = 250 - 90 * sky, 170 - 100 * sky, 90 + 80 * sky
            if math.hypot(x - 300, y - 170) < 34:  # the sun
                r, g, b = 255, 226, 150
            if y > 200:  # the sea, darker towards the shore, the sun's glitter on it
                d = (y - 200) / 120
                r, g, b = 60 - 30 * d, 70 - 30 * d, 120 - 40 * d
                if abs(x - 300) < 40 * (1 - d) and (x * 7 + y * 13) % 9 < 3:
                    r, g, b = 250, 200, 120
            if 200 - 70 * math.exp(-((x - 90) / 90) ** 2) < y <= 200:
                r, g, b = 40, 50, 45  # the hill, dark against the sky
            row.append((int(r), int(g), int(b), 255))
        rows.append(row)
    pictures.write_png(path, pictures.Picture(480, 320, rows))


def framed_screenshot(driver, server, output, work):
    """The page with a photo framed by the square, moved a little off the centre."""
    load_page(driver, server.url, "time=10:10:30&frame=0")
    photo = os.path.join(work, "scene.png")
    scene(photo)
    choose_picture(driver, photo)
    driver.execute_script(
        "const e = document.getElementById('crop-size'); e.value = '220';"
        "e.dispatchEvent(new Event('input', {bubbles: true}));")
    square = driver.find_element(By.ID, "crop-square")
    for _ in range(4):
        square.send_keys(Keys.SHIFT, Keys.ARROW_RIGHT)
    driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0);")
    time.sleep(0.3)  # the face follows the square at the next frame
    driver.save_screenshot(output)
    print("web_page_tool: %s" % output)


def transferred(driver):
    """(URL, bytes) of every response the page received, as the network counted them."""
    urls, sizes = {}, []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        params = message["params"]
        if message["method"] == "Network.requestWillBeSent":
            urls[params["requestId"]] = params["request"]["url"]
        elif message["method"] == "Network.loadingFinished":
            sizes.append((urls.get(params["requestId"], "?"), int(params["encodedDataLength"])))
    return sizes


def measure(driver, server, runs, work):
    # What the browser loaded for itself before the page (its new-tab page) is not counted.
    driver.get("about:blank")
    driver.get_log("performance")
    load_page(driver, server.url, "")
    files = transferred(driver)
    for url, size in files:
        print("  %8d bytes  %s" % (size, url))
    print("page load: %d requests, %d bytes transferred (headers included)" % (
        len(files), sum(size for _, size in files)))
    # The largest strip there can be: 255 faces, a plain 24-bit BMP of 80 x 20400.
    largest = os.path.join(work, "largest.bmp")
    strip_pictures.write_plain(largest, 80, 255 * 80, (40, 60, 90))
    for path in [os.path.join(ROOT, "samples", s + ".png") for s in SAMPLES] + [largest]:
        times = []
        for _ in range(runs):
            times.append(choose_picture(driver, path))
        print("picture to first preview, %s (%d bytes, %s): median %.1f ms, min %.1f ms, "
              "max %.1f ms over %d runs" % (
                  os.path.basename(path), os.path.getsize(path),
                  driver.find_element(By.ID, "strip-info").text,
                  statistics.median(times), min(times), max(times), runs))
    files = transferred(driver)
    print("choosing pictures: %d requests" % len(files))
    driver.find_element(By.ID, "make").click()
    end = time.monotonic() + 20
    while not files and time.monotonic() < end:
        time.sleep(0.1)
        files = transferred(driver)
    print("making a clock: %s" % ", ".join("%s (%d bytes)" % f for f in files))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("what", choices=["screenshot", "framed", "measure"])
    parser.add_argument("--tavimore", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--output")
    parser.add_argument("--runs", type=int, default=5)
    a = parser.parse_args()
    work = tempfile.mkdtemp(prefix="tavimore-web-")
    server = Server(a.tavimore, a.site)
    driver = start_browser(work, os.path.join(work, "profile"))
    if a.what != "measure":  # the page's own size, whatever the browser's window is
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 760, "height": 540 if a.what == "screenshot" else 760,
                                "deviceScaleFactor": 1, "mobile": False})
    try:
        if a.what == "screenshot":
            screenshot(driver, server, os.path.abspath(a.output))
        elif a.what == "framed":
            framed_screenshot(driver, server, os.path.abspath(a.output), work)
        else:
            measure(driver, server, a.runs, work)
    finally:
        driver.quit()
        server.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
