"""One line of output per request for the test servers, whole even when threads that
serve requests at the same time print at once: print() writes the text and its end
separately, so their lines could interleave."""
import sys
import threading

OUTPUT = threading.Lock()


def report(line):
    with OUTPUT:
        sys.stdout.write(line + "\n")
        sys.stdout.flush()
