#!/usr/bin/env python3
"""Runs the benchmark under Wine and writes bench/RESULTS.md.

Usage: run_bench.py BUILD_DIR
Everything is measured side by side in one run: the clock against the fair
floor (a minimal topmost box doing each 300 ms the work any such clock must
do: format the time, read the pointer, measure the text, move the box topmost
beside the pointer, draw the text) and against a bare 300 ms timer, the
clock's memory against the fair floor, the editor's against its fair floor (an
empty dialog with the editor's system libraries and manifest), both against a
plain empty dialog, the clock's GDI
objects over many ticks and reloads driven in process, the wait from a save
to the box and from start to the first tick, and the sizes of the programs.
"""
import datetime
import glob
import os
import platform
import re
import shutil
import subprocess
import sys
import time

CPU_SECONDS = 60
CPU_WINDOWS = 6  # the clock / floor ratio is also given per tenth of a minute
WARM_UP_SECONDS = 5
SOAK_TICKS = 100000
SOAK_RELOADS = 10000


def winpath(path):
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


class Bench:
    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.winerun = os.path.join(self.build, 'winerun')
        self.work = os.path.join(self.build, 'bench', 'work')
        self.rows = []

    def start(self, exe, name):
        """Copies exe into a private directory and starts it there under Wine."""
        home = os.path.join(self.work, name)
        os.makedirs(home, exist_ok=True)
        target = os.path.join(home, os.path.basename(exe))
        shutil.copy(exe, target)
        return subprocess.Popen([self.winerun, target], cwd=home,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @staticmethod
    def cpu_seconds(pid):
        """CPU time of every thread of the process, from the scheduler's
        nanosecond counters (/proc/PID/stat counts in 10 ms steps)."""
        total = 0
        for path in glob.glob(f'/proc/{pid}/task/*/schedstat'):
            try:
                with open(path) as f:
                    total += int(f.read().split()[0])
            except (FileNotFoundError, ProcessLookupError):
                pass  # a thread that ended meanwhile
        return total / 1e9

    @staticmethod
    def memory_kib(pid):
        """(private, working set) in KiB, as Linux counts the Wine process."""
        private = 0
        with open(f'/proc/{pid}/smaps_rollup') as f:
            for line in f:
                if line.startswith(('Private_Clean:', 'Private_Dirty:')):
                    private += int(line.split()[1])
        with open(f'/proc/{pid}/status') as f:
            rss = int(re.search(r'VmRSS:\s+(\d+)', f.read()).group(1))
        return private, rss

    def run(self, exe, *args, timeout=600):
        result = subprocess.run([self.winerun, exe, *args], capture_output=True, text=True,
                                timeout=timeout, cwd=os.path.dirname(exe))
        return result.returncode, result.stdout

    def measure_processes(self):
        bin_dir = os.path.join(self.build, 'bin')
        bench_dir = os.path.join(self.build, 'bench')
        processes = {
            'curlin': self.start(os.path.join(bin_dir, 'curlin.exe'), 'curlin'),
            'fair floor': self.start(os.path.join(bench_dir, 'floor_box.exe'), 'floor_box'),
            'empty timer': self.start(os.path.join(bench_dir, 'floor_timer.exe'), 'floor'),
            'curset': self.start(os.path.join(bin_dir, 'curset.exe'), 'curset'),
            'editor floor': self.start(os.path.join(bench_dir, 'editor_floor.exe'), 'editor_floor'),
            'empty dialog': self.start(os.path.join(bench_dir, 'empty_dialog.exe'), 'empty'),
        }
        try:
            time.sleep(WARM_UP_SECONDS)
            marks = [{name: self.cpu_seconds(p.pid) for name, p in processes.items()}]
            start = time.monotonic()
            for window in range(1, CPU_WINDOWS + 1):
                time.sleep(max(0.0, start + window * CPU_SECONDS / CPU_WINDOWS - time.monotonic()))
                marks.append({name: self.cpu_seconds(p.pid) for name, p in processes.items()})
            wall = time.monotonic() - start
            memory = {name: self.memory_kib(p.pid) for name, p in processes.items()}
        finally:
            for p in processes.values():
                p.terminate()
            for p in processes.values():
                p.wait(timeout=30)

        cpu = {name: marks[-1][name] - marks[0][name] for name in processes}
        for name, label in (('curlin', 'curlin'),
                            ('fair floor', 'the fair floor (topmost box drawing the time every 300 ms)'),
                            ('empty timer', 'the empty 300 ms timer')):
            self.rows.append(('CPU time of %s over %.0f s' % (label, wall),
                              '%.3f s (%.2f%% of a core)' % (cpu[name], 100 * cpu[name] / wall)))

        def ratio(a, b):
            return a / b if b > 0 else float('inf')
        windows = [ratio(marks[i]['curlin'] - marks[i - 1]['curlin'],
                         marks[i]['fair floor'] - marks[i - 1]['fair floor'])
                   for i in range(1, len(marks))]
        self.rows.insert(0, ('**curlin / fair floor CPU**',
                             '**%.2f** (per %.0f s: %.2f to %.2f, mean %.2f)' %
                             (ratio(cpu['curlin'], cpu['fair floor']), wall / CPU_WINDOWS,
                              min(windows), max(windows), sum(windows) / len(windows))))
        self.rows.append(('curlin / empty 300 ms timer CPU', '%.2f' % ratio(cpu['curlin'], cpu['empty timer'])))

        for name in ('fair floor', 'editor floor', 'empty dialog'):
            private, rss = memory[name]
            self.rows.append(('%s: private / working set' % name, '%d KiB / %d KiB' % (private, rss)))
        floor_private, floor_rss = memory['fair floor']
        self.rows.insert(1, ('**curlin / fair floor memory: private, working set**',
                             '**%.2f, %.2f**' % (memory['curlin'][0] / floor_private,
                                                 memory['curlin'][1] / floor_rss)))
        editor_private, editor_rss = memory['editor floor']
        self.rows.insert(2, ('**curset / editor floor memory: private, working set**',
                             '**%.2f, %.2f**' % (memory['curset'][0] / editor_private,
                                                 memory['curset'][1] / editor_rss)))
        empty_private, empty_rss = memory['empty dialog']
        for name in ('curlin', 'curset'):
            private, rss = memory[name]
            self.rows.append(('%s: private / working set' % name, '%d KiB / %d KiB' % (private, rss)))
            self.rows.append(('%s / empty dialog: private, working set' % name,
                              '%.2f, %.2f' % (private / empty_private, rss / empty_rss)))

    def measure_gdi(self):
        code, out = self.run(os.path.join(self.build, 'bench', 'gdi_soak.exe'),
                             str(SOAK_TICKS), str(SOAK_RELOADS))
        values = dict(re.findall(r'(\w+)=(-?\d+)', out))
        if not values:
            self.rows.append(('live GDI objects', 'soak failed (exit %d)' % code))
            return
        self.rows.append(('live GDI objects before / after %s ticks and %s reloads' %
                          (values['ticks'], values['reloads']),
                          '%s / %s (growth %s)' % (values['live_before'], values['live_after'], values['growth'])))
        per_tick = 1000.0 * int(values['elapsed_ms']) / int(values['ticks'])
        self.rows.append(('in-process tick, including the reloads', '%.0f µs per tick' % per_tick))

    def measure_latency(self):
        latency_dir = os.path.join(self.work, 'latency')
        shutil.rmtree(latency_dir, ignore_errors=True)
        code, out = self.run(os.path.join(self.build, 'bench', 'latency.exe'),
                             winpath(os.path.join(self.build, 'bin', 'curlin.exe')),
                             winpath(latency_dir))
        first = re.search(r'first_tick_ms=(-?\d+)', out)
        save = re.search(r'save_to_box_ms median=(\d+) max=(\d+) rounds=(\d+)', out)
        self.rows.append(('start of curlin.exe to its first tick beside the pointer',
                          '%s ms' % first.group(1) if first else 'not measured (exit %d)' % code))
        if save:
            self.rows.append(('save to the box showing it, over %s saves' % save.group(3),
                              'median %s ms, max %s ms (tick 300 ms)' % (save.group(1), save.group(2))))

    def measure_sizes(self):
        for name in ('curlin.exe', 'curset.exe'):
            size = os.path.getsize(os.path.join(self.build, 'bin', name))
            self.rows.append(('size of %s' % name, '%d bytes (%.0f KiB)' % (size, size / 1024)))
        for name, label in (('floor_box.exe', 'the fair floor'), ('floor_timer.exe', 'the empty timer'),
                            ('editor_floor.exe', 'the editor floor')):
            size = os.path.getsize(os.path.join(self.build, 'bench', name))
            self.rows.append(('size of %s' % label, '%d bytes (%.0f KiB)' % (size, size / 1024)))

    def machine(self):
        model = 'unknown processor'
        with open('/proc/cpuinfo') as f:
            match = re.search(r'model name\s*:\s*(.*)', f.read())
            if match:
                model = match.group(1)
        wine = subprocess.run(['/usr/lib/wine/wine64', '--version'], capture_output=True,
                              text=True).stdout.strip()
        return '%s, %d cores, Linux %s, %s' % (model, os.cpu_count(), platform.release(), wine)

    def report(self):
        lines = ['# Benchmark results', '',
                 'Made by `scripts/bench` on %s.' % datetime.date.today().isoformat(),
                 'Machine: %s.' % self.machine(), '',
                 '| what | figure |', '|---|---|']
        lines += ['| %s | %s |' % row for row in self.rows]
        lines += ['', 'How it is measured:', '',
                  '- The clock\'s headline compares curlin with the fair floor: a minimal topmost box that every',
                  '  300 ms does only what any pointer-following clock must (format the time, make the font,',
                  '  measure the text, read the pointer, move and size the box topmost beside it, draw the',
                  '  text), with curlin\'s default settings (time only, 18-pixel ＭＳ ゴシック). The empty',
                  '  300 ms timer is kept as the bare floor of a Windows program under Wine. Both boxes',
                  '  follow the one pointer, so they overlap and each uncovers the other alike.',
                  '- The editor\'s headline compares curset with the editor floor: an empty modal dialog that',
                  '  starts as the editor does: it loads the same system libraries at start (gdi32 and',
                  '  version 6 of the common controls, bound by the editor\'s manifest, which it carries,',
                  '  besides kernel32, user32 and the C runtime, each by one cheap call; the editor loads',
                  '  the picker library, comdlg32, only when a picker opens). The plain empty dialog,',
                  '  with neither, is kept as the bare floor of a dialog under Wine.',
                  '- CPU time is read from the scheduler\'s nanosecond counters of every thread',
                  '  (`/proc/PID/task/*/schedstat`), all six programs running side by side in one run; the',
                  '  ratio is also given for each sixth of the run. Memory is read from `smaps_rollup` and',
                  '  `status`: "private" is the private clean and dirty memory, "working set" the resident',
                  '  set. Under Wine both include Wine\'s own libraries, so the ratios are the useful figures.',
                  '- Live GDI objects are counted from the process\'s own GDI handle table (the table the',
                  '  process environment block points to; an entry with a non-zero type is an object in use),',
                  '  since Wine\'s `GetGuiResources` is a stub. The clock\'s tick and reload run in process on',
                  '  a stand-in popup window, with a date, weekday and seconds line.',
                  '- The latencies are taken by a Windows program that starts curlin.exe, watches its box',
                  '  with `GetWindowRect`, replaces `curlin.dat` and sends the reload request as the editor does;',
                  '  saves are spread over the phase of the 300 ms tick.', '']
        text = '\n'.join(lines)
        print(text)
        out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'RESULTS.md')
        with open(out, 'w') as f:
            f.write(text)
        print('written to', out)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    bench = Bench(sys.argv[1])
    shutil.rmtree(bench.work, ignore_errors=True)
    subprocess.run([bench.winerun, '--setup'], check=True)
    try:
        bench.measure_processes()
        bench.measure_gdi()
        bench.measure_latency()
        bench.measure_sizes()
    finally:
        subprocess.run([bench.winerun, '--stop'])
    bench.report()


if __name__ == '__main__':
    main()
