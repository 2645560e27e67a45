"""Measures glidebar.js in headless Chromium against two floors, each the
same menu as static HTML and CSS, which costs the browser only its own style
and layout: the menu our script drew, saved without the script (the drawn
floor), and the menu as an author would write it by hand (the hand floor: a
nested list of links, one short style sheet with the same look, sub menus
shown by :hover and :focus-within, no params and no script). For menus of
20 x 20 and 200 x 200 items it loads each page in turns (ours, drawn floor,
hand floor, ours, ...) and reads Chromium's own CPU counters
(Performance.getMetrics: script, style and layout durations), then opens a
sub menu in each. The pages are served over HTTP on this machine, as a
site serves them (the browser then keeps the script compiled between
loads, as it does for a visitor). Prints the medians, their ratios and the
script's size.

    /usr/bin/python3 bench/browser/bench_glidebar.py build/bench/bin/vantrel-gen [RUNS] [looks]

With `looks` the menus have today's look as well: rounded items and menus,
shadows, arrows, wider label room, System UI in Semibold at 15 px, sub
menus fading in (the params MMLook ... SILook3).
"""

import functools
import gzip
import http.server
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

SIZES = ((20, 20), (200, 200))
# Today's look of the `looks` run, as the project file keeps it.
LOOKS = ('[Looks]\n' + ''.join('m_%s=%d\n' % kv for kv in (
    ('mmItemRadius', 6), ('mmPanelRadius', 8), ('mmShadow', 1), ('mmLabelInset', 12), ('mmArrows', 1),
    ('smItemRadius', 4), ('smPanelRadius', 8), ('smShadow', 2), ('smLabelInset', 10), ('smFadeIn', 1))) +
    ''.join('m_%sFontFamily%d=1\nm_%sFontPx%d=15\nm_%sFontWeight%d=600\n' % (f, n, f, n, f, n)
            for f in ('mi', 'si') for n in (1, 2, 3)))
COUNTERS = ('ScriptDuration', 'RecalcStyleDuration', 'LayoutDuration')


def make_page(gen, folder, main, sub, looks=False):
    """A page of main x sub items saved by vantrel-gen, with today's look
    when `looks`."""
    page = os.path.join(folder, 'menu%dx%d.htm' % (main, sub))
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    subprocess.run([gen, 'save', '--template', '0', page], check=True, env=env, stdout=subprocess.DEVNULL)
    qdx = page[:-4] + '.qdx'
    with open(qdx, encoding='utf-8', newline='') as f:
        text = f.read()
    items = []
    for i in range(main):
        items.append('I0-%d=Item %d,,_self,item%d.html' % (i, i, i))
    for i in range(main):
        items += ['I%d-%d=Sub item %d.%d,,_self,sub%d_%d.html' % (i + 1, k, i, k, i, k) for k in range(sub)]
    relation = '%d,%d,%s%s' % (main + 1, main, '%d,' % sub * main,
                               ''.join('%d-%d,' % (i, i + 1) for i in range(main)))
    text = re.sub(r'\[Item\][^\[]*', '[Item]\n' + '\n'.join(items) + '\n\n', text)
    text = re.sub(r'Relation=[^\r\n]*', 'Relation=' + relation, text)
    if looks:
        text += '\n' + LOOKS
    with open(qdx, 'w', encoding='utf-8', newline='') as f:
        f.write(text)
    subprocess.run([gen, 'save', qdx, page], check=True, env=env, stdout=subprocess.DEVNULL)
    return page


def make_floor(driver, site, page):
    """The menu our script drew, saved as a static page beside `page` (a
    file of the folder served at `site`): its markup and its style sheets,
    and no script. Returns the floor page's file name."""
    driver.get(site + os.path.basename(page))
    if not driver.find_elements('css selector', '[role=menubar]'):
        sys.exit('the script drew no menu on ' + page)
    # In the page's own mode: a page for today's browsers is laid out in
    # standards mode, and so is its floor.
    text = driver.execute_script(
        'for (const s of document.querySelectorAll("script")) s.remove();'
        'return (document.doctype ? "<!DOCTYPE html>\\n" : "") + document.documentElement.outerHTML;')
    floor = page[:-4] + '-floor.htm'
    with open(floor, 'w', encoding='utf-8') as f:
        f.write(text)
    return os.path.basename(floor)


# The hand floor's looks are read from the drawn menu: the main and the sub
# items in their Normal and Mouse Move looks, the menus' places and gaps.
READ_LOOKS = (
    'const bar = document.querySelector(".gb-bar"), li = bar.children[0], root = bar.closest("applet");'
    'const look = e => { const c = getComputedStyle(e), a = getComputedStyle(e.firstElementChild);'
    '  return {w: c.width, h: c.height, bg: c.backgroundImage !== "none" ? c.backgroundImage : c.backgroundColor,'
    '    border: c.borderTopWidth + " " + c.borderTopStyle, bc: c.borderColor, color: a.color, font: a.font,'
    '    pad: a.marginLeft, justify: a.justifyContent}; };'
    'const a = li.firstElementChild;'
    'a.dispatchEvent(new PointerEvent("pointerover", {bubbles: true, pointerType: "mouse"}));'
    'const hover = look(li), sub = li.querySelector(".gb-sub"), sli = sub.children[0];'
    'const subNormal = look(sli);'
    'sli.firstElementChild.dispatchEvent(new PointerEvent("pointerover", {bubbles: true, pointerType: "mouse"}));'
    'const subHover = look(sli);'
    'a.dispatchEvent(new PointerEvent("pointerover", {bubbles: true, pointerType: "mouse"}));'
    'root.dispatchEvent(new PointerEvent("pointerleave", {pointerType: "mouse"}));'
    'const rc = getComputedStyle(root), bc = getComputedStyle(bar), sc = getComputedStyle(sub);'
    'return {main: look(li), mainHover: hover, sub: subNormal, subHover: subHover,'
    '  width: rc.width, height: rc.height, bk: rc.backgroundColor, left: bc.left, top: bc.top,'
    '  across: bc.flexDirection === "row", gap: bc.gap, subAcross: sc.flexDirection === "row", subGap: sc.gap};')


def make_hand_floor(driver, site, page, main, sub):
    """The same menu as an author would write it by hand, beside `page`:
    returns the page's file name."""
    driver.get(site + os.path.basename(page))
    k = driver.execute_script(READ_LOOKS)

    def item_rules(sel, look):
        return ('%s{width:%s;height:%s;background:%s;border:%s;border-color:%s}'
                '%s>a{color:%s;font:%s;margin:0 %s;justify-content:%s}'
                % (sel, look['w'], look['h'], look['bg'], look['border'], look['bc'],
                   sel, look['color'], look['font'], look['pad'], look['justify']))
    css = (
        '.menu{position:relative;display:inline-block;width:%s;height:%s;background:%s}'
        '.menu ul{position:absolute;display:flex;margin:0;padding:0;list-style:none}'
        '.menu>ul{left:%s;top:%s;flex-direction:%s;gap:%s}'
        '.menu li{display:flex;box-sizing:border-box}'
        '.menu a{display:flex;flex:1;align-items:center;overflow:hidden;white-space:pre;text-decoration:none}'
        '.menu li ul{display:none;flex-direction:%s;gap:%s;z-index:2;%s}'
        '.menu li:hover>ul,.menu li:focus-within>ul{display:flex}'
        % (k['width'], k['height'], k['bk'], k['left'], k['top'], 'row' if k['across'] else 'column', k['gap'],
           'column' if not k['subAcross'] else 'row', k['subGap'],
           'top:100%;left:0' if k['across'] else 'left:100%;top:0')
        + item_rules('.menu>ul>li', k['main']) + item_rules('.menu>ul>li:hover', k['mainHover'])
        + item_rules('.menu li li', k['sub']) + item_rules('.menu li li:hover', k['subHover']))
    body = ['<nav class="menu" aria-label="Site"><ul>']
    for i in range(main):
        body.append('<li><a href="item%d.html">Item %d</a><ul>' % (i, i))
        body += ['<li><a href="sub%d_%d.html">Sub item %d.%d</a></li>' % (i, j, i, j) for j in range(sub)]
        body.append('</ul></li>')
    body.append('</ul></nav>')
    hand = page[:-4] + '-hand.htm'
    with open(hand, 'w', encoding='utf-8') as f:
        f.write('<!DOCTYPE html>\n<html><head><title>Hand-written menu</title><style>%s</style></head>\n'
                '<body>\n%s\n</body></html>\n' % (css, '\n'.join(body)))
    return os.path.basename(hand)


def counters(driver):
    metrics = {m['name']: m['value'] for m in driver.execute_cdp_cmd('Performance.getMetrics', {})['metrics']}
    return {k: metrics.get(k, 0.0) for k in COUNTERS}


def spent(driver, action, parts=None):
    """CPU seconds of script, style and layout that `action` costs the page;
    `parts` (a dict of lists) receives each counter's share."""
    before = counters(driver)
    action()
    after = counters(driver)
    # A navigation may start the counters afresh.
    if any(after[k] < before[k] for k in COUNTERS):
        before = dict.fromkeys(COUNTERS, 0.0)
    if parts is not None:
        for k in COUNTERS:
            parts.setdefault(k, []).append(after[k] - before[k])
    return sum(after[k] - before[k] for k in COUNTERS)


def serve(folder):
    """Serves the folder over HTTP on a free port of this machine, as a site
    would serve its pages; returns the address of the folder."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return 'http://127.0.0.1:%d/' % server.server_address[1]


def load(driver, page):
    driver.get(page)
    driver.execute_async_script('requestAnimationFrame(() => setTimeout(arguments[0], 0));')


OPEN_OURS = ('const a = document.querySelectorAll("[role=menubar] > li > [role=menuitem]")[arguments[0]];'
             'a.dispatchEvent(new PointerEvent("pointerover", {bubbles: true, pointerType: "mouse"}));'
             'return document.body.offsetHeight;')
# The drawn floor shows what pointing at the item shows: its Mouse Move look
# and its sub menu.
OPEN_FLOOR = ('document.querySelectorAll(".gb-bar > li")[arguments[0]].classList.add("gb-m", "gb-open");'
              'return document.body.offsetHeight;')
# The hand floor shows its sub menu while the focus is in its item.
OPEN_HAND = ('document.querySelectorAll(".menu > ul > li > a")[arguments[0]].focus();'
             'return document.body.offsetHeight;')


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    gen, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 11
    looks = len(sys.argv) > 3 and sys.argv[3] == 'looks'
    folder = tempfile.mkdtemp(prefix='glidebar-bench-')
    try:
        options = Options()
        options.binary_location = '/usr/bin/chromium'
        for arg in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                    '--disable-background-networking', '--disable-component-update', '--disable-sync',
                    '--user-data-dir=' + os.path.join(folder, 'profile')):
            options.add_argument(arg)
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        try:
            driver.execute_cdp_cmd('Performance.enable', {'timeDomain': 'threadTicks'})
            site = serve(folder)
            for main_count, sub_count in SIZES:
                path = make_page(gen, folder, main_count, sub_count, looks)
                floor = site + make_floor(driver, site, path)
                hand = site + make_hand_floor(driver, site, path, main_count, sub_count)
                page = site + os.path.basename(path)
                ours_load, floor_load, hand_load, ours_open, floor_open, hand_open = [], [], [], [], [], []
                parts = {'ours': {}, 'floor': {}, 'hand': {}, 'ours open': {}, 'floor open': {}, 'hand open': {}}
                k = main_count // 2
                for _ in range(runs):
                    ours_load.append(spent(driver, lambda: load(driver, page), parts['ours']))
                    ours_open.append(spent(driver, lambda: driver.execute_script(OPEN_OURS, k), parts['ours open']))
                    floor_load.append(spent(driver, lambda: load(driver, floor), parts['floor']))
                    floor_open.append(spent(driver, lambda: driver.execute_script(OPEN_FLOOR, k), parts['floor open']))
                    hand_load.append(spent(driver, lambda: load(driver, hand), parts['hand']))
                    hand_open.append(spent(driver, lambda: driver.execute_script(OPEN_HAND, k), parts['hand open']))
                ml, fl, hl = (statistics.median(v) for v in (ours_load, floor_load, hand_load))
                mo, fo, ho = (statistics.median(v) for v in (ours_open, floor_open, hand_open))
                print('%d x %d, CPU of script, style and layout, median of %d (ms):' % (main_count, sub_count, runs))
                print('  load: ours %.2f, drawn floor %.2f, ratio %.2fx; hand floor %.2f, ratio %.2fx'
                      % (1e3 * ml, 1e3 * fl, ml / fl, 1e3 * hl, ml / hl))
                print('  open a sub menu: ours %.3f, drawn floor %.3f, ratio %.2fx; hand floor %.3f, ratio %.2fx'
                      % (1e3 * mo, 1e3 * fo, mo / fo, 1e3 * ho, mo / ho))
                for who, by in parts.items():
                    print('    %-10s %s' % (who, ', '.join('%s %.3f' % (k.replace('Duration', ''), 1e3 * statistics.median(v))
                                                         for k, v in by.items())))
        finally:
            driver.quit()
        with open(os.path.join(folder, 'glidebar.js'), 'rb') as f:
            script = f.read()
        print('glidebar.js: %d bytes, %d gzip -9' % (len(script), len(gzip.compress(script, 9))))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == '__main__':
    main()
