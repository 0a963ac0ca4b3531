"""A long load lets other Python threads run and answers Ctrl-C: the load
is cancelled, the database left empty and KeyboardInterrupt raised."""
import _thread
import os
import threading
import time

import pytest

import kinfold
from conftest import SAMPLE

PEOPLE = 400_000  # a file of about 24 MB, which loads in a fraction of a second


@pytest.fixture(scope='module')
def big_file(tmp_path_factory):
    path = tmp_path_factory.mktemp('long') / 'big.ged'
    body = ''.join('0 @I%d@ INDI\n1 NAME A%d /B/\n1 BIRT\n2 DATE 1 JAN 1900\n' % (i, i)
                   for i in range(PEOPLE))
    path.write_text('0 HEAD\n' + body + '0 TRLR\n')
    return str(path)


def is_open(path):
    for fd in os.listdir('/proc/self/fd'):
        try:
            if os.readlink('/proc/self/fd/' + fd) == path:
                return True
        except OSError:
            pass
    return False


def test_other_threads_run_while_a_file_loads(big_file):
    ticks, stop = [], threading.Event()

    def count():
        while not stop.is_set():
            ticks.append(time.monotonic())

    counter = threading.Thread(target=count)
    counter.start()
    try:
        db = kinfold.GEDCOMdb()
        start = time.monotonic()
        assert db.LoadGEDCOMFile(big_file)
        end = time.monotonic()
    finally:
        stop.set()
        counter.join()
    assert len(db.Individuals) == PEOPLE
    # Holding the GIL for the whole load would leave the counter still
    # between the two readings of the clock.
    margin = (end - start) / 4
    assert any(start + margin < tick < end - margin for tick in ticks)


def test_ctrl_c_cancels_a_load_and_leaves_the_database_empty(big_file):
    def interrupt_once_the_file_is_open():
        deadline = time.monotonic() + 10
        while not is_open(big_file) and time.monotonic() < deadline:
            time.sleep(0.0005)
        _thread.interrupt_main()

    db = kinfold.GEDCOMdb()
    interrupter = threading.Thread(target=interrupt_once_the_file_is_open)
    outcome = []
    try:
        interrupter.start()
        try:
            outcome.append(db.LoadGEDCOMFile(big_file))
        except KeyboardInterrupt:
            outcome.append('interrupted')
        interrupter.join()
    except KeyboardInterrupt:
        outcome.append('interrupted after the load')
    interrupter.join()
    assert outcome == ['interrupted']
    assert len(db.Individuals) == 0 and db.FileName == ''
    # The cancel is not left behind for the next load.
    assert db.LoadGEDCOMFile(SAMPLE) and len(db.Individuals) == 6
