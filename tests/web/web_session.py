"""The editor's web page in headless Chromium, served by `tavimore serve`: what the page's
tests, its benchmark and its screenshot share.

Chromium runs with a new empty profile and without any of its own network traffic (no
background updates, sync or QUIC), so every request it makes is one the page made.
Selenium is Debian's (python3-selenium), for Debian's Python.
"""
import subprocess
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage"]


def wait_for(condition, what, timeout=20):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


class Server:
    """tavimore serve on a port of the system's choosing."""

    def __init__(self, tavimore, site):
        self.process = subprocess.Popen([tavimore, "serve", "--port", "0", site],
                                        stdout=subprocess.PIPE, universal_newlines=True)
        line = self.process.stdout.readline()
        if "http://127.0.0.1:" not in line:
            self.process.kill()
            raise AssertionError("tavimore serve said: %r" % line)
        self.url = line.split(" at ")[1].split()[0]

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


def start_browser(downloads, profile, size=(900, 700), flags=()):
    """Chromium with CHROMIUM_FLAGS and `flags` beside them."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS + list(flags) + ["--user-data-dir=" + profile,
                                                "--window-size=%d,%d" % size]:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})
    return driver


def load_page(driver, url, query):
    driver.get(url + "?" + query)
    driver.execute_async_script(
        "const done = arguments[0]; window.tavimorePage.ready.then(() => done(true));")


def read_file(driver, give, timed=False):
    """Gives the page a file by give() and waits until the page has taken or refused it: until
    the file it reads (its state's `reading`) is a new one, settled. With `timed`, the file
    comes through a file input; returns the milliseconds from its change event to then."""
    driver.execute_script(
        "const page = window.tavimorePage, given = window.fileGiven = {before: page.reading};"
        "if (!arguments[0]) return;"
        "addEventListener('change', () => { given.at = performance.now(); }, {capture: true, once: true});"
        "addEventListener('change', () => page.reading.finally(() => {"
        "  given.ms = performance.now() - given.at; }), {once: true});", timed)
    give()
    return driver.execute_async_script(
        "const done = arguments[0], page = window.tavimorePage, given = window.fileGiven;"
        "const wait = () => page.reading === given.before ? setTimeout(wait, 10)"
        "  : page.reading.finally(() => done(given.ms));"
        "wait();")


def choose_picture(driver, path):
    """Chooses a picture through the page's file input and waits until the page has taken
    or refused it; returns the milliseconds that took."""
    return read_file(driver, lambda: driver.find_element(By.ID, "picture").send_keys(path), True)


def open_clock(driver, path):
    """The same for a clock file."""
    return read_file(driver, lambda: driver.find_element(By.ID, "clock-file").send_keys(path), True)
