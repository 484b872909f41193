"""What the release tests share: checks that print as they go and are counted at the end."""

failures = []


def check(condition, message):
    print(("ok:     " if condition else "FAILED: ") + message, flush=True)
    if not condition:
        failures.append(message)
    return condition


def read(path):
    with open(path, "rb") as f:
        return f.read()
