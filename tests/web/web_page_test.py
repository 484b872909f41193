#!/usr/bin/env python3
"""The editor's web page in headless Chromium, used as a person uses it, and checked against
the command line: what the page draws and builds must be what `tavimore render` draws and
`tavimore build` writes from the same inputs.

    web_page_test.py --tavimore EXE --site DIR --work DIR

The page is served by `tavimore serve` on a port the system chooses. Every request the
browser makes is logged; the test fails if any goes anywhere but the page's own server.
"""
import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import importlib.util  # noqa: E402
import json  # noqa: E402

import pictures  # noqa: E402  (PNG files)
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from web_session import (Server, choose_picture, load_page, open_clock, read_file,  # noqa: E402
                         start_browser, wait_for)

# The editor tests' strips: each square its own colours, a red top-left corner. The module
# has the same name as the one above, so it is loaded under a name of its own.
_spec = importlib.util.spec_from_file_location(
    "strip_pictures", os.path.join(ROOT, "tests", "editor_wine", "pictures.py"))
strips = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(strips)

WINDOW = 82
FIXED_TIME = "10:10:30"
FIXED_FRAME = 2
# The clock made in the page and compared with tavimore render's window: a round shape,
# hands of three lengths in colours far from the strip's and each other's.
MADE_SHAPE = "Pirrow"
MADE_HANDS = [("#FFF4C0", 55), ("#10FF20", 80), ("#FF6060", 100)]
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)
    return condition


def canvas_pixels(driver, canvas_id):
    """RGBA bytes of a canvas, top row first."""
    data = driver.execute_script(
        "const c = document.getElementById(arguments[0]);"
        "return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);",
        canvas_id)
    return bytes(data)


def set_value(driver, element_id, value):
    driver.execute_script(
        "const e = document.getElementById(arguments[0]); e.value = arguments[1];"
        "e.dispatchEvent(new Event('input', {bubbles: true}));"
        "e.dispatchEvent(new Event('change', {bubbles: true}));", element_id, value)


def type_into(driver, element_id, text):
    field = driver.find_element(By.ID, element_id)
    field.clear()
    field.send_keys(text)


def message_shown(driver):
    """(title key, text key, shown text) of the page's message box, or None; closes it."""
    shown = driver.execute_script(
        "const d = document.getElementById('message'); if (!d.open) return null;"
        "const m = window.tavimorePage.message;"
        "const r = [m.title, m.text, document.getElementById('message-text').textContent];"
        "d.close(); return r;")
    return shown


def download(driver, downloads, start=None):
    """The clock the page offers after start() (by default a click on the make button)."""
    target = os.path.join(downloads, "oriclock.exe")
    if os.path.exists(target):
        os.remove(target)
    (start or driver.find_element(By.ID, "make").click)()
    wait_for(lambda: os.path.exists(target) and not any(
        n.endswith(".crdownload") for n in os.listdir(downloads)), "the download")
    time.sleep(0.2)
    return open(target, "rb").read()


def tavimore_build(tavimore, out, definition, image, name, url, mail, hands, extra=()):
    args = [tavimore, "build", "--definition", definition, "--image", image, "--output", out,
            "--name", name, "--url", url, "--mail", mail, "--force", *extra]
    for option, hand in zip(["--hour", "--minute", "--second"], hands):
        args += [option, "%s,%d" % hand]
    subprocess.run(args, check=True)
    return open(out, "rb").read()


def rendered(tavimore, clock, work, frame=FIXED_FRAME, time_text=FIXED_TIME, scale=1):
    out = os.path.join(work, "render.png")
    subprocess.run([tavimore, "render", clock, "--time", time_text, "--frame", str(frame),
                    "--scale", str(scale), "--output", out], check=True)
    picture = pictures.read_png(out)
    return bytes(v for row in picture.rows for pixel in row for v in pixel)


def same_window(page, expected):
    """Outline (alpha) everywhere and colour inside it; the page's canvas keeps no colour
    where it is transparent."""
    if len(page) != len(expected):
        print("     the page has %d pixels, the render %d" % (len(page) // 4, len(expected) // 4))
        return False
    side = math.isqrt(len(expected) // 4)
    bad = [i // 4 for i in range(0, len(expected), 4)
           if page[i + 3] != expected[i + 3] or
           (expected[i + 3] and page[i:i + 3] != expected[i:i + 3])]
    if bad:
        i = bad[0] * 4
        print("     %d pixels differ; first at (%d, %d): page %s, render %s" % (
            len(bad), bad[0] % side, bad[0] // side, tuple(page[i:i + 4]),
            tuple(expected[i:i + 4])))
    return not bad


def write_strip_png(path, width, height):
    rows = strips.strip_pixels(width, height)
    pictures.write_png(path, pictures.Picture(
        width, height, [[(r, g, b, 255) for r, g, b in row] for row in rows]))


def test_make_clock(driver, server, a, work, downloads):
    """A picture chosen, fields set: the preview is tavimore render's window, the download
    is tavimore build's file."""
    load_page(driver, server.url, "time=%s&frame=%d" % (FIXED_TIME, FIXED_FRAME))
    strip = os.path.join(work, "strip.png")
    write_strip_png(strip, 80, 400)
    name, url, mail = "月の時計 ⑩", "https://example.org/月", "me@example.org"
    hands = MADE_HANDS
    type_into(driver, "name", name)
    type_into(driver, "url", url)
    type_into(driver, "mail", mail)
    for h, (colour, length) in enumerate(hands):
        set_value(driver, "col%d" % h, colour.lower())
        set_value(driver, "len%d" % h, str(length))
    check(driver.find_element(By.ID, "dsp2").text == "100%", "the second hand's read-out shows 100%")
    driver.find_element(By.XPATH, "//select[@id='shape']/option[text()='%s']" % MADE_SHAPE).click()
    choose_picture(driver, strip)
    check(message_shown(driver) is None, "an 80 x 400 strip is taken without a message")
    check(driver.find_element(By.ID, "strip-info").text == "5 コマ", "the page counts 5 faces")

    expected_clock = tavimore_build(a.tavimore, os.path.join(work, "expected.exe"),
                                    os.path.join(a.site, "clocks", MADE_SHAPE + ".exe"), strip,
                                    name, url, mail, hands)
    page_window = canvas_pixels(driver, "preview")
    check(same_window(page_window, rendered(a.tavimore, os.path.join(work, "expected.exe"), work)),
          "the preview at %s, face %d, is tavimore render's window" % (FIXED_TIME, FIXED_FRAME))
    large = canvas_pixels(driver, "preview-large")
    check(all(large[((y * 3 + 1) * WINDOW * 3 + x * 3 + 2) * 4:][:4] ==
              page_window[(y * WINDOW + x) * 4:][:4] for y in range(WINDOW) for x in range(WINDOW)),
          "the enlarged preview is the window, each pixel three times as large")
    first_face = canvas_pixels(driver, "pic")
    check(first_face[:4] == bytes((255, 0, 0, 255)) and
          first_face[(79 * 80 + 79) * 4:][:3] == bytes(strips.frame_pixel(0, 79, 79)),
          "Pic shows face 1 the right way up")

    clock = download(driver, downloads)
    check(clock == expected_clock, "the downloaded oriclock.exe is tavimore build's file, "
          "byte for byte (%d and %d bytes)" % (len(clock), len(expected_clock)))

    # Another shape, other hands and a BMP: the same again, without fixing the face.
    driver.find_element(By.XPATH, "//select[@id='shape']/option[text()='Varnet']").click()
    bmp = os.path.join(work, "strip.bmp")
    strips.write_strip(bmp, 80, 160)
    choose_picture(driver, bmp)
    clock = download(driver, downloads)
    expected = tavimore_build(a.tavimore, os.path.join(work, "expected2.exe"),
                              os.path.join(a.site, "clocks", "Varnet.exe"), bmp,
                              name, url, mail, hands)
    check(clock == expected, "a BMP strip with the Varnet shape gives tavimore build's file")

    # The texts of the last clock made are there again when the page is opened again.
    load_page(driver, server.url, "")
    check([driver.find_element(By.ID, f).get_attribute("value") for f in ("name", "url", "mail")] ==
          [name, url, mail], "the texts of the last clock made are filled in again")
    driver.execute_script("localStorage.clear()")


def test_picture_kinds(driver, server, a, work, downloads):
    """Transparent pixels, GIF and JPEG strips: the same clock as tavimore build's."""
    load_page(driver, server.url, "time=%s" % FIXED_TIME)
    # Four bands of alpha 255, 0, 128 and 1 over colours that vary everywhere: a decoder
    # that multiplies colour by alpha (a canvas does) loses colour in the half-transparent
    # bands before the pixels are laid over the picture box's background.
    rows = [[((x * 3 + y) % 256, (y * 5) % 256, (x * y) % 256, (255, 0, 128, 1)[x // 20])
             for x in range(80)] for y in range(160)]
    transparent = os.path.join(work, "transparent.png")
    pictures.write_png(transparent, pictures.Picture(80, 160, rows))
    gif = os.path.join(work, "strip.gif")
    write_strip_png(os.path.join(work, "for-gif.png"), 80, 240)
    subprocess.run(["convert", os.path.join(work, "for-gif.png"), gif], check=True)
    # JPEGs with their colours at full resolution and halved (4:4:4 and 4:2:0): both must
    # reach the page as the JPEG library's RGB, not as the browser's own YUV conversion.
    jpegs = []
    for sampling in ("4:4:4", "4:2:0"):
        jpegs.append(os.path.join(work, "strip-%s.jpg" % sampling.replace(":", "")))
        subprocess.run(["convert", os.path.join(ROOT, "samples", "moon.png"), "-sampling-factor",
                        sampling, "-quality", "80", jpegs[-1]], check=True)
    for path in [transparent, gif] + jpegs:
        choose_picture(driver, path)
        clock = download(driver, downloads)
        expected = tavimore_build(a.tavimore, os.path.join(work, "expected-kind.exe"),
                                  os.path.join(a.site, "clocks", "Varnet.exe"), path,
                                  "", "", "", [("#000040", 75), ("#000080", 80), ("#0000C0", 90)])
        check(clock == expected, "%s gives tavimore build's clock" % os.path.basename(path))


def test_framed_picture(driver, server, a, work, downloads):
    """A 400 x 300 picture framed by a square sized and moved: tavimore build --fit's clock."""
    load_page(driver, server.url, "time=%s" % FIXED_TIME)
    photo = os.path.join(work, "photo.png")
    pictures.write_png(photo, pictures.Picture(400, 300, [
        [(x * 255 // 399, y * 255 // 299, (x ^ y) & 255, 255) for x in range(400)] for y in range(300)]))
    choose_picture(driver, photo)
    square = lambda: driver.execute_script("return window.tavimorePage.faces[0].picture.square")
    check(square() == {"left": 50, "top": 0, "size": 300}, "the largest centred square first")
    set_value(driver, "crop-size", "200")
    driver.find_element(By.ID, "crop-square").send_keys(Keys.ARROW_DOWN, Keys.SHIFT, Keys.ARROW_RIGHT)
    s = square()
    check(s["size"] == 200 and s["left"] > 100 and s["top"] > 50, "sized and moved: %s" % s)
    clock = download(driver, downloads)
    # An animated GIF: one face a frame, each as the animation shows it.
    anim = os.path.join(work, "anim.gif")
    subprocess.run(["convert", "-size", "100x60", "xc:red", "xc:lime", "xc:blue", anim], check=True)
    choose_picture(driver, anim)
    faces = driver.execute_script("const p = window.tavimorePage; return [0, 1, 2].map(k => p.strip[k * 6401]);")
    check(faces == [0xFF0000, 0x00FF00, 0x0000FF], "the GIF's three frames are three faces: %s" % faces)
    gif_clock = download(driver, downloads)
    for button in ("remove", "later"):  # the first face goes, the next one moves behind the last
        driver.find_element(By.ID, button).click()
    faces = driver.execute_script("const p = window.tavimorePage; return [p.faces.length, p.strip[0], p.strip[6401]];")
    check(faces == [2, 0x0000FF, 0x00FF00], "a face removed and one moved later: %s" % faces)
    crop = "%d,%d,%d" % (s["left"], s["top"], s["size"])
    expected = tavimore_build(a.tavimore, os.path.join(work, "fit.exe"),
                              os.path.join(a.site, "clocks", "Varnet.exe"), photo, "", "", "",
                              [("#000040", 75), ("#000080", 80), ("#0000C0", 90)],
                              ["--fit", "--crop", crop])
    check(clock == expected, "the clock of square %s is tavimore build --fit --crop's" % crop)
    check(gif_clock == tavimore_build(a.tavimore, os.path.join(work, "fit.exe"),
                                      os.path.join(a.site, "clocks", "Varnet.exe"), anim, "", "", "",
                                      [("#000040", 75), ("#000080", 80), ("#0000C0", 90)], ["--fit"]),
          "the GIF's clock is tavimore build --fit's")


def test_keys_and_dropping(driver, server, a, work, downloads):
    """The faces in turn, F1, Enter, and pictures and clocks dropped on the page."""
    load_page(driver, server.url, "time=%s" % FIXED_TIME)
    strip = os.path.join(work, "turns.png")
    write_strip_png(strip, 80, 240)
    choose_picture(driver, strip)
    clock_path = os.path.join(work, "turns.exe")
    tavimore_build(a.tavimore, clock_path, os.path.join(a.site, "clocks", "Varnet.exe"), strip,
                   "", "", "", [("#000040", 75), ("#000080", 80), ("#0000C0", 90)])
    # Each new second shows the next face, after the last the first again: four redraws as
    # the page makes them, each with the preview it drew.
    redraws = driver.execute_async_script(
        "const done = arguments[0], page = window.tavimorePage, seen = [];"
        "let last = page.shown;"
        "const look = () => {"
        "  if (page.shown !== last) {"
        "    last = page.shown;"
        "    const c = document.getElementById('preview');"
        "    seen.push([last.faceImage, last.at.join(':'),"
        "               Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data)]);"
        "  }"
        "  if (seen.length === 4) done(seen); else setTimeout(look, 10);"
        "};"
        "look();")
    for face, _, pixels in redraws[:3]:
        check(same_window(bytes(pixels), rendered(a.tavimore, clock_path, work, face)),
              "the preview of face %d is tavimore render's" % face)
    shown = [(face, at) for face, at, _ in redraws]
    check(all((b[0] - a_[0]) % 3 == 1 and b[1] != a_[1] for a_, b in zip(shown, shown[1:])),
          "the faces come in turn, one each new second: %s" % shown)

    # A hand changed redraws the last second at once, on the same face.
    before, after = driver.execute_script(
        "const page = window.tavimorePage, before = page.shown, e = document.getElementById('len0');"
        "e.value = '40'; e.dispatchEvent(new Event('input'));"
        "const r = [[before.faceImage, before.at], page.shown === before ? null"
        "           : [page.shown.faceImage, page.shown.at]];"
        "e.value = '75'; e.dispatchEvent(new Event('input')); return r;")  # as the clock has it
    check(after == before, "a hand changed shows the same second's face anew: %s, %s" % (before, after))

    # Enter moves on as Tab does, to the next field and from the last to the make button.
    name = driver.find_element(By.ID, "name")
    name.click()
    name.send_keys(Keys.ENTER)
    check(driver.switch_to.active_element.get_attribute("id") == "url", "Enter in the name goes to the address")
    driver.find_element(By.ID, "mail").click()
    driver.switch_to.active_element.send_keys(Keys.ENTER)
    check(driver.switch_to.active_element.get_attribute("id") == "make", "Enter in the mail goes to F1")
    # F1 anywhere makes the clock.
    check(download(driver, downloads, lambda: name.send_keys(Keys.F1)) == open(clock_path, "rb").read(),
          "F1 makes the clock")

    # Dropped files: a picture becomes the strip, a Windows program is opened as a clock.
    def drop(path):
        read_file(driver, lambda: driver.execute_script(
            "const t = new DataTransfer();"
            "t.items.add(new File([new Uint8Array(arguments[0])], arguments[1]));"
            "document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: t, bubbles: true}));",
            list(open(path, "rb").read()), os.path.basename(path)))
    drop(os.path.join(ROOT, "samples", "moon.png"))
    check(driver.find_element(By.ID, "strip-info").text == "8 コマ", "a dropped picture is the strip")
    opened = os.path.join(work, "dropped.exe")
    tavimore_build(a.tavimore, opened, os.path.join(a.site, "clocks", "Ossimar.exe"),
                   os.path.join(ROOT, "samples", "sunset.png"), "夕日", "", "",
                   [("#FF0000", 10), ("#00FF00", 20), ("#0000FF", 30)])
    drop(opened)
    check(driver.find_element(By.ID, "name").get_attribute("value") == "夕日" and
          driver.find_element(By.ID, "shape").get_attribute("value") == "Ossimar" and
          driver.find_element(By.ID, "strip-info").text == "1 コマ",
          "a dropped clock is opened")


def test_open_clock(driver, server, a, work, downloads):
    """A clock file fills the page; building again without its picture gives the same file."""
    load_page(driver, server.url, "time=07:45:12&frame=3")
    original = os.path.join(work, "original.exe")
    expected = tavimore_build(a.tavimore, original, os.path.join(a.site, "clocks", "Damsole.exe"),
                              os.path.join(ROOT, "samples", "sakura.png"), "桜の時計", "www.example.jp",
                              "sakura@example.jp", [("#123456", 33), ("#ABCDEF", 66), ("#FEDCBA", 99)])
    open_clock(driver, original)
    values = driver.execute_script(
        "return ['name','url','mail','len0','len1','len2','col0','col1','col2','shape']"
        ".map(id => document.getElementById(id).value)")
    check(values == ["桜の時計", "www.example.jp", "sakura@example.jp", "33", "66", "99",
                     "#123456", "#abcdef", "#fedcba", "Damsole"],
          "the fields show the clock's texts, hands and shape: %s" % values)
    check(driver.find_element(By.ID, "dsp1").text == "66%", "the read-outs follow the lengths")
    check(driver.find_element(By.ID, "strip-info").text == "4 コマ", "the clock's 4 faces are the strip")
    check(same_window(canvas_pixels(driver, "preview"),
                      rendered(a.tavimore, original, work, 3, "07:45:12")),
          "the preview of the opened clock is tavimore render's window")
    check(download(driver, downloads) == expected, "building it again gives the same file")

    # A cut file is damaged: the page says so and keeps what it shows.
    damaged = os.path.join(work, "damaged.exe")
    with open(damaged, "wb") as f:
        f.write(expected[:-100])
    open_clock(driver, damaged)
    shown = message_shown(driver) or (None, None, "")
    check(shown[1] == "damaged" and "壊れて" in shown[2], "a cut clock file is refused as damaged")
    check(driver.find_element(By.ID, "name").get_attribute("value") == "桜の時計",
          "a damaged clock leaves the fields as they were")

    # Files that are not clocks: a picture, and a Windows program that is none of ours.
    stranger = os.path.join(work, "stranger.exe")
    with open(stranger, "wb") as f:
        f.write(b"MZ" + bytes(30000))
    for path in (os.path.join(ROOT, "samples", "moon.png"), stranger):
        open_clock(driver, path)
        shown = message_shown(driver) or (None, None, "")
        check(shown[1] == "notAClock", "%s is not a clock file" % os.path.basename(path))
    check(driver.find_element(By.ID, "shape").get_attribute("value") == "Damsole",
          "a file that is no clock leaves the shape as it was")

    # A clock program without payload: its shape, no strip.
    open_clock(driver, os.path.join(a.site, "clocks", "Quellet.exe"))
    check(driver.find_element(By.ID, "shape").get_attribute("value") == "Quellet",
          "a clock program without faces gives its shape")
    check(driver.find_element(By.ID, "strip-info").text == "4 コマ",
          "a clock program without faces keeps the strip shown")


def test_refusals(driver, server, a, work, downloads):
    """Wrong sizes, more than 255 faces and files that are no picture: the editor's
    messages; the strip is gone afterwards, as in the editor."""
    load_page(driver, server.url, "time=%s" % FIXED_TIME)
    for field in ("name", "url", "mail"):  # whatever an earlier clock left remembered
        driver.find_element(By.ID, field).clear()
    good = os.path.join(work, "good.png")
    write_strip_png(good, 80, 80)
    # The editor's messages: title, text and how the Japanese text begins.
    unreadable = ("unreadableTitle", "unreadableMessage", "画像を読み込めませんでした。")
    cases = []
    tall = os.path.join(work, "tall.bmp")
    strips.write_plain(tall, 80, 256 * 80, (10, 20, 30))
    cases.append((tall, ("sizeTitle", "framesMessage", "画像のコマ数が多すぎます。"), "256 faces"))
    text = os.path.join(work, "text.png")
    with open(text, "w") as f:
        f.write("not a picture\n")
    broken = os.path.join(work, "broken.png")
    data = open(good, "rb").read()
    with open(broken, "wb") as f:
        f.write(data[:40] + bytes(len(data) - 40))  # a sound header, nonsense after it
    cases += [(text, unreadable, "a text file"), (broken, unreadable, "a PNG whose data is broken")]
    for path, message, what in cases:
        choose_picture(driver, good)
        check(message_shown(driver) is None, "a good strip before %s" % what)
        choose_picture(driver, path)
        shown = message_shown(driver) or (None, None, "")
        check(shown[:2] == list(message[:2]) and shown[2].startswith(message[2]),
              "%s: %s" % (what, message[1]))
        check(driver.find_element(By.ID, "strip-info").text == "",
              "%s leaves no strip behind" % what)
    # The sizes are checked before decoding: the 20480-pixel strip is refused at once.
    # With no strip the clock gets one face of the preview's grey, as from the editor.
    clock = download(driver, downloads)
    check(len(clock) == 55000 + 3 + 17 + 25604 and clock[55000 + 3] == 1,
          "after a refusal the clock gets one face (%d bytes)" % len(clock))

    keys = re.findall(r'TEXT\(k\w+, "(\w+)"', open(os.path.join(ROOT, "core", "editor_texts.h")).read())
    english = open(os.path.join(ROOT, "web", "texts.js")).read().split("  en: {")[1]
    check(keys and all(re.search(r"\b%s: '" % k, english) for k in keys),
          "every message of the core has its English translation")
    # Pictures that give more faces together than a clock holds.
    halves = [os.path.join(work, "half%d.bmp" % k) for k in (1, 2)]
    for half in halves:
        strips.write_plain(half, 80, 128 * 80, (10, 20, 30))
    read_file(driver, lambda: driver.find_element(By.ID, "picture").send_keys("\n".join(halves)))
    shown = message_shown(driver) or (None, None, "")
    check(shown[1] == "tooManyFaces" and "256 コマ" in shown[2], "256 faces are refused: %s" % shown[2])
    driver.find_element(By.ID, "language").click()
    check(driver.find_element(By.ID, "choose").text == "Choose picture", "English labels")
    choose_picture(driver, text)
    shown = message_shown(driver) or (None, None, "")
    check(shown[2].startswith("The picture could not be read"), "a message in English")


def test_screen_scale(driver, server, a, work, downloads):
    """A screen at 200 %: the preview is the window the clock draws there, not its 82 x 82
    window enlarged by the browser."""
    load_page(driver, server.url, "time=%s&frame=%d" % (FIXED_TIME, FIXED_FRAME))
    strip = os.path.join(work, "scaled-strip.png")
    write_strip_png(strip, 80, 400)
    clock = os.path.join(work, "scaled.exe")
    tavimore_build(a.tavimore, clock, os.path.join(a.site, "clocks", MADE_SHAPE + ".exe"), strip,
                   "", "", "", MADE_HANDS)
    open_clock(driver, clock)
    ratio, css_width = driver.execute_script(
        "return [devicePixelRatio, document.getElementById('preview').getBoundingClientRect().width]")
    check(ratio == 2 and css_width == WINDOW,
          "at devicePixelRatio %s the preview is %s CSS pixels wide" % (ratio, css_width))
    check(same_window(canvas_pixels(driver, "preview"), rendered(a.tavimore, clock, work, scale=2)),
          "its pixels are tavimore render --scale 2's window")


def requests_made(driver):
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    return urls


def run_group(a, server, downloads, flags, tests, all_urls):
    """The tests in one browser, started with `flags`; the requests it made go to all_urls."""
    profile = tempfile.mkdtemp(prefix="profile-", dir=a.work)
    driver = start_browser(downloads, profile, flags=flags)
    # What the browser loaded for itself before the page (its new-tab page) is not the page's.
    driver.get("about:blank")
    driver.get_log("performance")
    try:
        for test in tests:
            print("--- " + test.__doc__.split("\n")[0])
            try:
                test(driver, server, a, a.work, downloads)
            except Exception as e:  # a step that could not be done fails the group, not the rest
                check(False, "%s: %s" % (test.__name__, e))
            all_urls += requests_made(driver)
            errors = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
            check(not errors, "no errors in the page's console: %s" % errors)
    finally:
        driver.quit()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tavimore", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--work", required=True)
    a = parser.parse_args()
    a.site, a.work = os.path.abspath(a.site), os.path.abspath(a.work)  # the browser needs whole paths
    shutil.rmtree(a.work, ignore_errors=True)
    os.makedirs(a.work)
    downloads = os.path.join(a.work, "downloads")
    os.makedirs(downloads)
    server = Server(a.tavimore, a.site)
    all_urls = []
    try:
        run_group(a, server, downloads, [], (test_make_clock, test_picture_kinds,
                                             test_framed_picture, test_keys_and_dropping, test_open_clock,
                                             test_refusals), all_urls)
        # A screen's scale is fixed when the browser starts.
        run_group(a, server, downloads, ["--force-device-scale-factor=2"], (test_screen_scale,),
                  all_urls)
        outside = [u for u in all_urls
                   if not (u.startswith(server.url) or u.startswith("blob:") or u.startswith("data:"))]
        check(all_urls and not outside,
              "%d requests, all to the page's own server: %s" % (len(all_urls), outside))
    finally:
        server.stop()
    if failures:
        print("%d checks failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
