"""Template pages for today's browsers in Lighthouse (from npm, at the
version tests/browser/package-lock.json pins; LIGHTHOUSE_MODULES names its
node_modules folder), on desktop and on a phone, in Debian's Chromium: the
page served over HTTP as a web server serves it (compressed, beside a
favicon), with a description. Accessibility, best practices and SEO score
100, performance at least 99 (the median of three runs where the first
falls short).

Run with /usr/bin/python3; the environment names the built vantrel-gen
(VANTREL_GEN). One Chromium serves every run.
"""

import functools
import gzip
import http.server
import json
import os
import shutil
import struct
import subprocess
import sys
import threading
import time
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pages import folder, gen, template_count  # noqa: E402
import pages  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
MODULES = os.environ.get('LIGHTHOUSE_MODULES', '')
DESCRIPTION = 'A menu made with Vantrel: the pages of a small site, one click away.'
# Which templates run: a comma-separated list of numbers, or "all". Unset: a
# vertical and a horizontal classic template (0 and 2) and every template of
# today, which keeps a run near twenty pages; the classic templates' pages
# differ from each other in their params only.
ONLY = os.environ.get('VANTREL_LIGHTHOUSE_TEMPLATES', '')


def chosen_templates():
    if ONLY == 'all':
        return list(range(template_count()))
    if ONLY:
        return [int(n) for n in ONLY.split(',')]
    return [0, 2] + [n for n in pages.todays_templates() if n not in (0, 2)]

server = None
chromium = None
port = None


def favicon():
    """A 16 x 16 icon: an ICO holding one PNG of a single colour."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    rows = b''.join(b'\x00' + b'\x20\x50\xa0' * 16 for _ in range(16))
    png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 16, 16, 8, 2, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 16, 16, 0, 0, 1, 32, len(png), 22) + png


class Handler(http.server.SimpleHTTPRequestHandler):
    """Serves the folder as a web server would: text compressed for a
    browser that takes it, a day's caching, nothing logged."""

    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{'.htm': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
                             '.ico': 'image/x-icon'})

    def do_GET(self):
        path = self.translate_path(self.path)
        if not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, 'rb') as f:
            body = f.read()
        kind = self.guess_type(path)
        compress = kind.startswith('text/') and 'gzip' in self.headers.get('Accept-Encoding', '')
        if compress:
            body = gzip.compress(body, 9)
        self.send_response(200)
        self.send_header('Content-Type', kind)
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Cache-Control', 'max-age=86400')
        if compress:
            self.send_header('Content-Encoding', 'gzip')
        self.send_header('Vary', 'Accept-Encoding')
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def start_chromium(work):
    """Debian's Chromium, headless, with a debugging port of its choosing."""
    profile = os.path.join(work, 'profile')
    active = os.path.join(profile, 'DevToolsActivePort')
    if os.path.exists(active):
        os.remove(active)
    process = subprocess.Popen(
        ['/usr/bin/chromium', '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--remote-debugging-port=0', '--user-data-dir=' + profile, 'about:blank'],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(300):
        if os.path.isfile(active):
            with open(active) as f:
                first = f.readline().strip()
            if first:
                return process, int(first)
        time.sleep(0.1)
    process.kill()
    raise RuntimeError('Chromium did not open its debugging port')


def setUpModule():
    global server, chromium, port
    if not os.path.isfile(pages.GEN):
        raise unittest.SkipTest('VANTREL_GEN does not name the built vantrel-gen')
    if not os.path.isfile(os.path.join(MODULES, 'lighthouse', 'core', 'index.js')):
        raise unittest.SkipTest('LIGHTHOUSE_MODULES does not hold lighthouse (./test installs it)')
    work = pages.start('lighthouse-test-')
    site = folder('site')
    with open(os.path.join(site, 'favicon.ico'), 'wb') as f:
        f.write(favicon())
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                             functools.partial(Handler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    chromium, port = start_chromium(work)


def tearDownModule():
    if chromium:
        chromium.kill()
        chromium.wait()
    if server:
        server.shutdown()
        server.server_close()
    pages.finish()


def lighthouse(runs):
    """Lighthouse's findings for each run ({'url', 'form'}), in order."""
    task = json.dumps({'modules': MODULES, 'port': port, 'runs': runs})
    done = subprocess.run(['node', os.path.join(HERE, 'lighthouse.mjs')], input=task.encode(),
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    if done.returncode:
        raise AssertionError('lighthouse.mjs failed:\n' + done.stderr.decode(errors='replace'))
    return json.loads(done.stdout)


class EveryTemplate(unittest.TestCase):

    def test_scores(self):
        site = folder('site')
        numbers = chosen_templates()
        runs = []
        for n in numbers:
            gen('save', '--template', n, '--description', DESCRIPTION, os.path.join(site, 't%d.htm' % n))
            for form in ('desktop', 'mobile'):
                runs.append({'url': 'http://127.0.0.1:%d/t%d.htm' % (server.server_address[1], n),
                             'form': form, 'template': n})
        started = time.monotonic()
        results = [[r] for r in lighthouse([{'url': r['url'], 'form': r['form']} for r in runs])]
        # Performance is measured on a shared machine, and one run can be
        # slowed by what else it does: as Lighthouse advises for scores that
        # vary, a page below the mark is run twice more and judged by the
        # median of its three runs.
        again = [i for i, r in enumerate(results) if r[0]['scores']['performance'] < 0.99]
        if again:
            more = lighthouse([{'url': runs[i]['url'], 'form': runs[i]['form']} for i in again for _ in (1, 2)])
            for j, i in enumerate(again):
                results[i] += more[2 * j:2 * j + 2]
        print('Lighthouse: %d runs in %.0f s' % (len(runs) + 2 * len(again), time.monotonic() - started))
        for run, tries in zip(runs, results):
            with self.subTest(template=run['template'], form=run['form']):
                tries.sort(key=lambda r: r['scores']['performance'])
                result = tries[len(tries) // 2]
                print('template %d, %s: %s (%s s)' % (run['template'], run['form'], result['scores'],
                                                       ', '.join('%.1f' % r['seconds'] for r in tries)))
                if len(tries) > 1:
                    print('  performance of its runs: %s' % [r['scores']['performance'] for r in tries])
                for r in tries:
                    self.assertIsNone(r['runtimeError'])
                found = '\n'.join('%s (%s, %s): %s %s' % (f['id'], f['category'], f['score'], f['value'],
                                                           f['items']) for f in result['failing'])
                scores = result['scores']
                for category in ('accessibility', 'best-practices', 'seo'):
                    for r in tries:
                        self.assertEqual(r['scores'][category], 1, category + '\n' + found)
                self.assertGreaterEqual(scores['performance'], 0.99, found)


if __name__ == '__main__':
    unittest.main()
