"""Searching and listing the whole table from several threads at once."""

import threading

import orvalen


def run_threads(*targets):
    errors = []

    def guarded(target):
        try:
            target()
        except BaseException as error:  # noqa: BLE001 - reported below
            errors.append(error)

    threads = [threading.Thread(target=guarded, args=(t,)) for t in targets]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert not errors, errors


def test_two_threads_iterate_the_table_while_a_third_searches(gb2312, gbk):
    expected = list(gb2312.table(top=3))
    got = [[], []]
    searches = []
    run_threads(
        lambda: got[0].extend(gb2312.table(top=3)),
        lambda: got[1].extend(gb2312.table(top=3)),
        # The other dictionary, between them: its index must not stand in
        # for this one's.
        lambda: searches.extend(gbk.lookalikes(c) for c in "未車请口" * 50),
    )
    assert got[0] == expected and got[1] == expected
    assert searches == [gbk.lookalikes(c) for c in "未車请口" * 50]


def test_one_stream_shared_by_two_threads_hands_each_character_out_once(gb2312):
    stream = gb2312.table()
    got = [[], []]
    run_threads(lambda: got[0].extend(stream), lambda: got[1].extend(stream))
    expected = dict(gb2312.table())
    assert len(got[0]) + len(got[1]) == len(expected)
    assert dict(got[0] + got[1]) == expected
