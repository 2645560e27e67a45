"""Measures glidebar.js in headless Chromium: the script time to build a menu of
20 main items with 20 sub items each and open one sub menu, median of several
page loads, and the script's size.

    /usr/bin/python3 bench/browser/bench_glidebar.py build/bench/bin/vantrel-gen [RUNS]
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

MAIN, SUB = 20, 20


def make_page(gen, folder):
    """A page of MAIN x SUB items saved by vantrel-gen, timed around its script line."""
    page = os.path.join(folder, 'bench.htm')
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    subprocess.run([gen, 'save', '--template', '0', page], check=True, env=env)
    qdx = page[:-4] + '.qdx'
    with open(qdx, encoding='utf-8', newline='') as f:
        text = f.read()
    items = []
    for i in range(MAIN):
        items.append('I0-%d=Item %d,,_self,item%d.html' % (i, i, i))
        items += ['I%d-%d=Sub item %d.%d,,_self,sub%d_%d.html' % (i, k, i, k, i, k) for k in range(SUB)]
    relation = '%d,%d,%s%s' % (MAIN + 1, MAIN, '%d,' % SUB * MAIN,
                               ''.join('%d-%d,' % (i, i + 1) for i in range(MAIN)))
    text = re.sub(r'\[Item\][^\[]*', '[Item]\n' + '\n'.join(items) + '\n\n', text)
    text = re.sub(r'Relation=[^\r\n]*', 'Relation=' + relation, text)
    with open(qdx, 'w', encoding='utf-8', newline='') as f:
        f.write(text)
    subprocess.run([gen, 'save', qdx, page], check=True, env=env)
    with open(page, encoding='utf-8', newline='') as f:
        text = f.read()
    line = '<script src="glidebar.js"></script>\r\n'
    if line not in text:
        sys.exit('the saved page has no script line: is the page modern?')
    # The script inline, so that reading the file is not timed; it builds the
    # menu, then the sub menu of the middle main item opens as the pointer does.
    with open(os.path.join(folder, 'glidebar.js'), encoding='utf-8') as f:
        inline = '<script>' + f.read() + '</script>\r\n'
    text = text.replace(line, '<script>window.t0 = performance.now();</script>\r\n' + inline +
                        '<script>window.t1 = performance.now();'
                        'document.querySelectorAll("[role=menubar] > li > a")[%d]'
                        '.dispatchEvent(new PointerEvent("pointerover", {bubbles: true, pointerType: "mouse"}));'
                        'window.t2 = performance.now();'
                        'document.body.offsetHeight;'
                        'window.t3 = performance.now();</script>\r\n' % (MAIN // 2))
    with open(page, 'w', encoding='utf-8', newline='') as f:
        f.write(text)
    return page


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    gen, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 15
    folder = tempfile.mkdtemp(prefix='glidebar-bench-')
    try:
        page = make_page(gen, folder)
        options = Options()
        options.binary_location = '/usr/bin/chromium'
        for arg in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                    '--disable-background-networking', '--disable-component-update', '--disable-sync',
                    '--user-data-dir=' + os.path.join(folder, 'profile')):
            options.add_argument(arg)
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        build, total, layout = [], [], []
        try:
            for _ in range(runs):
                driver.get('file://' + page)
                t = driver.execute_script('return [window.t0, window.t1, window.t2, window.t3,'
                                          ' document.querySelectorAll("applet [role=menuitem]").length,'
                                          ' document.querySelector("[aria-expanded=true]") !== null];')
                if t[4] != MAIN * (SUB + 1) or not t[5]:
                    sys.exit('the menu was not built as expected: %r' % (t,))
                build.append(t[1] - t[0])
                total.append(t[2] - t[0])
                layout.append(t[3] - t[0])
        finally:
            driver.quit()
        size = os.path.getsize(os.path.join(folder, 'glidebar.js'))
        print('glidebar.js: %d bytes' % size)
        print('%d x %d menu, median of %d loads:' % (MAIN, SUB, runs))
        for name, times in (('build', build), ('build and open a sub menu', total),
                            ('the same with the first layout', layout)):
            print('  %-31s %.2f ms (fastest %.2f ms)' % (name + ':', statistics.median(times), min(times)))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == '__main__':
    main()
