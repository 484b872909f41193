#!/usr/bin/env python3
"""tavimore serve, asked the way browsers and mischief ask: files of the folder with their
types, nothing outside it, HEAD without a body, other methods
refused, the loopback address only, and a stalled client holding up no one.

    serve_test.py TAVIMORE WORK
"""
import os
import shutil
import socket
import subprocess
import sys
import time

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def ask(port, request):
    """The raw answer to a raw request: (status line, headers, body)."""
    with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
        s.sendall(request)
        data = b""
        while True:
            chunk = s.recv(65536)
            if not chunk:
                break
            data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    lines = head.decode("latin-1").split("\r\n")
    headers = dict(line.split(": ", 1) for line in lines[1:] if ": " in line)
    return lines[0], headers, body


def get(port, target, method="GET"):
    return ask(port, ("%s %s HTTP/1.1\r\nHost: x\r\n\r\n" % (method, target)).encode("latin-1"))


def main():
    tavimore, work = sys.argv[1], os.path.abspath(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    site = os.path.join(work, "site")
    os.makedirs(os.path.join(site, "clocks"))
    os.makedirs(os.path.join(site, "ページ"))
    files = {"index.html": b"<!doctype html>home", "app.js": b"'use strict';",
             "core.wasm": b"\0asm\1\0\0\0", "clocks/A.exe": bytes(range(256)) * 40,
             "ページ/時計.txt": "時計".encode("utf-8")}
    for name, data in files.items():
        with open(os.path.join(site, name), "wb") as f:
            f.write(data)
    with open(os.path.join(work, "secret.txt"), "wb") as f:
        f.write(b"outside the folder")

    server = subprocess.Popen([tavimore, "serve", "--port", "0", site], stdout=subprocess.PIPE,
                              universal_newlines=True)
    try:
        line = server.stdout.readline()
        check(line.startswith("Serving ") and "http://127.0.0.1:" in line, "it names its address: %r" % line)
        port = int(line.split("http://127.0.0.1:")[1].split("/")[0])

        # A client that connects and says nothing must not hold up the others.
        idle = socket.create_connection(("127.0.0.1", port))
        start = time.monotonic()
        status, headers, body = get(port, "/")
        check(time.monotonic() - start < 5, "an idle connection holds up no one")
        idle.close()
        check(status == "HTTP/1.1 200 OK" and body == files["index.html"], "/ is index.html")
        check(headers.get("Content-Type") == "text/html; charset=utf-8", "as HTML")
        for target, name, kind in [("/app.js", "app.js", "text/javascript; charset=utf-8"),
                                   ("/core.wasm", "core.wasm", "application/wasm"),
                                   ("/clocks/A.exe?x=1#y", "clocks/A.exe", "application/octet-stream"),
                                   ("/%E3%83%9A%E3%83%BC%E3%82%B8/%E6%99%82%E8%A8%88.txt",
                                    "ページ/時計.txt", "text/plain; charset=utf-8")]:
            status, headers, body = get(port, target)
            check(status.endswith("200 OK") and body == files[name] and
                  headers.get("Content-Type") == kind and
                  headers.get("Content-Length") == str(len(files[name])),
                  "%s: %s, %d bytes, %s" % (target, name, len(files[name]), kind))

        status, headers, body = get(port, "/clocks/A.exe", "HEAD")
        check(status.endswith("200 OK") and body == b"" and
              headers.get("Content-Length") == str(len(files["clocks/A.exe"])),
              "HEAD: the length, no body")
        # Which targets name a file is a unit test's (request_path_test.cpp); here that
        # the server asks it, and that a folder or a missing file is not served.
        for target in ["/../secret.txt", "/clocks/%2E%2E/%2E%2E/secret.txt", "/missing.html",
                       "/clocks"]:
            status, _, body = get(port, target)
            check(status.endswith("404 Not Found") and b"outside" not in body,
                  "%s is not found" % target)
        status, _, _ = get(port, "/index.html", "POST")
        check(status.endswith("405 Method Not Allowed"), "POST is refused")
        status, _, _ = ask(port, b"nonsense\r\n\r\n")
        check(status.endswith("400 Bad Request"), "a request that is no request is refused")

        # Only this machine: the server does not listen on the machine's other addresses.
        others = [a for a in socket.gethostbyname_ex(socket.gethostname())[2] if not a.startswith("127.")]
        for address in others:
            try:
                socket.create_connection((address, port), timeout=2).close()
                check(False, "nothing answers on %s" % address)
            except OSError:
                check(True, "nothing answers on %s" % address)
    finally:
        server.terminate()
        server.wait(10)

    # A port already taken is refused with a reason.
    holder = socket.socket()
    holder.bind(("127.0.0.1", 0))
    holder.listen(1)
    taken = holder.getsockname()[1]
    result = subprocess.run([tavimore, "serve", "--port", str(taken), site],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, universal_newlines=True,
                            timeout=10)
    holder.close()
    check(result.returncode == 1 and "port %d" % taken in result.stderr,
          "a taken port: exit 1 and why (%r)" % result.stderr.strip())
    result = subprocess.run([tavimore, "serve", os.path.join(work, "secret.txt")],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, universal_newlines=True,
                            timeout=10)
    check(result.returncode == 1 and "not a folder" in result.stderr, "a file is not a folder to serve")

    print("%d checks failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
