"""Today's look in headless Chromium: each of its values drawn by the page
script as `vantrel-gen png` draws it (closed and with a sub menu open, on
the desktop and in the small-screen form), sub menus fading in only where
the visitor allows motion, and the page's own font reaching the labels that
take it.

Run with /usr/bin/python3 (Debian's python3-selenium); the environment names
the built vantrel-gen (VANTREL_GEN).
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pngdiff  # noqa: E402
import pages  # noqa: E402
from pages import gen, menu_tree, params, picture, read_text, save_template, write_text  # noqa: E402

from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.actions import interaction  # noqa: E402
from selenium.webdriver.common.actions.action_builder import ActionBuilder  # noqa: E402
from selenium.webdriver.common.actions.pointer_input import PointerInput  # noqa: E402

TOLERANCE = 64
MIN_MATCH = 0.98

DRAWN_BOX = pages.DRAWN_BOX

driver = None


def setUpModule():
    global driver
    if not os.path.isfile(pages.GEN):
        raise unittest.SkipTest('VANTREL_GEN does not name the built vantrel-gen')
    work = pages.start('glidebar-looks-')
    driver = pages.chromium(work)
    # Pictures are of the menu at rest: no fading while they are taken.
    motion('reduce')


def tearDownModule():
    if driver:
        driver.quit()
    pages.finish()


def motion(value):
    driver.execute_cdp_cmd('Emulation.setEmulatedMedia',
                           {'features': [{'name': 'prefers-reduced-motion', 'value': value}]})


def settle():
    driver.execute_async_script('const done = arguments[0];'
                                'requestAnimationFrame(() => requestAnimationFrame(() => done()));')


def looks_page(name, template, looks, general=None):
    """Template `template` saved with today's look `looks` (project keys
    without their m_) and some classic values of `general` changed."""
    page = save_template(template, name)
    qdx = page[:-4] + '.qdx'
    text = read_text(qdx)
    for key, value in (general or {}).items():
        head = key + '='
        at = text.index('\r\n' + head) + 2
        end = text.index('\r\n', at)
        text = text[:at] + head + str(value) + text[end:]
    text += '\r\n[Looks]\r\n' + ''.join('m_%s=%d\r\n' % kv for kv in looks.items())
    write_text(qdx, text)
    gen('save', qdx, page)
    return page


def open_page(page):
    driver.get('file://' + page)
    assert driver.find_element('css selector', 'applet.glidebar')
    settle()


def tap(element):
    touch = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
    touch.pointer_action.move_to(element).pointer_down().pointer_up()
    touch.perform()
    settle()


def mains():
    return driver.find_elements('css selector', '[role=menubar] > li > [role=menuitem]')


def screenshot(whole=False):
    x, y, w, h = (round(v) for v in driver.execute_script(DRAWN_BOX, whole))
    return pngdiff.crop(pngdiff.read_png(driver.get_screenshot_as_png()), x, y, w, h)


# Every value at once, on each kind of template.
ALL = dict(mmItemRadius=8, mmPanelRadius=10, mmShadow=1, mmLabelInset=14, mmArrows=1,
           smItemRadius=4, smPanelRadius=8, smShadow=2, smLabelInset=10, smFadeIn=1,
           miFontFamily1=1, miFontPx1=15, miFontWeight1=600, miFontFamily2=1, miFontPx2=17,
           miFontWeight2=500, miFontItalic2=1, miFontPx3=20,
           siFontFamily1=1, siFontPx1=15, siFontWeight2=600, siFontPx3=11)

# (case, template, looks, classic values changed)
CASES = [
    ('item corners', 8, dict(mmItemRadius=6, smItemRadius=16), None),
    ('corners over bevels', 0, dict(mmItemRadius=9, smItemRadius=5), None),
    ('menu corners, filled and framed', 8, dict(mmPanelRadius=12, smPanelRadius=8),
     {'m_mmBKStyle': 3, 'm_smBKStyle': 3}),
    ('shadows', 8, dict(mmShadow=2, smShadow=1), None),
    ('label room', 0, dict(mmLabelInset=24, smLabelInset=7), None),
    ('arrows, vertical', 0, dict(mmArrows=1), None),
    ('arrows, horizontal, 24 px', 8, dict(mmArrows=1, miFontPx1=24), None),
    ('sizes', 0, dict(miFontPx1=9, miFontPx2=40, siFontPx1=30), None),
    ('Medium, Semibold italic', 8, dict(miFontWeight1=500, siFontWeight1=600, siFontItalic1=1), None),
    ('System UI', 8, dict(miFontFamily1=1, siFontFamily1=1), None),
    ('all, vertical', 0, ALL, None),
    ('all, horizontal', 2, ALL, None),
    ('all, serif', 3, ALL, None),
]


class Pictures(unittest.TestCase):
    """The page draws each value of today's look as its picture does."""

    def test_desktop(self):
        for case, template, looks, general in CASES:
            page = looks_page(case.replace(' ', '-').replace(',', ''), template, looks, general)
            for k in (None, 1):
                with self.subTest(case=case, open=k):
                    open_page(page)
                    if k is not None:
                        tap(mains()[k])
                    extra = [] if k is None else ['--open', k]
                    pngdiff.check(self, '%s, open %s' % (case, k), screenshot(), picture(page, *extra),
                                  TOLERANCE, MIN_MATCH)

    def test_phone(self):
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                               {'width': 360, 'height': 740, 'deviceScaleFactor': 1, 'mobile': True})
        try:
            for template in (2, 8):
                page = looks_page('phone%d' % template, template, ALL)
                for k in (None, 1):
                    with self.subTest(template=template, open=k):
                        open_page(page)
                        self.assertTrue(driver.execute_script(
                            'return document.querySelector("applet").classList.contains("gb-small")'))
                        if k is not None:
                            driver.execute_script('document.querySelector("applet .gb-tog").click()')
                            settle()
                            driver.execute_script('document.querySelectorAll("applet .gb-disc")[0].click()')
                            settle()
                        extra = ['--width', 360] + ([] if k is None else ['--open', k])
                        pngdiff.check(self, 'phone, template %d, open %s' % (template, k), screenshot(True),
                                      picture(page, *extra), TOLERANCE, MIN_MATCH)
        finally:
            driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


class TodaysTemplates(unittest.TestCase):
    """Each template of today under the pointer: a main or sub item hovered
    or held down looks on the page as its picture draws that look."""

    def test_hover_and_press(self):
        for n in pages.todays_templates():
            page = save_template(n)
            tree = menu_tree(params(page))
            owner = next(i for i, item in enumerate(tree) if item[3])
            leaf = next(i for i, item in enumerate(tree) if not item[3])
            for sub in (False, True):
                for state, action in ((2, 'hover'), (3, 'press')):
                    with self.subTest(template=n, sub=sub, action=action):
                        what = 'template %d, %s %s' % (n, 'sub' if sub else 'main', action)
                        ref = pages.look_picture(page, sub, state, owner)
                        open_page(page)
                        chain = ActionChains(driver)
                        target = mains()[leaf]
                        if sub:
                            chain.move_to_element(mains()[owner]).perform()
                            settle()
                            target = driver.execute_script(
                                'return arguments[0].parentNode.querySelectorAll('
                                '":scope > [role=menu] [role=menuitem]")[1];', mains()[owner])
                            chain = ActionChains(driver)
                        chain.move_to_element(target)
                        if action == 'press':
                            chain.click_and_hold()
                        chain.perform()
                        try:
                            driver.execute_async_script('const done = arguments[arguments.length - 1];'
                                                        + pages.AT_REST)
                            x, y, w, h, ax, ay = driver.execute_script(pages.ITEM_BOX, target)
                            shot = pngdiff.crop(pngdiff.read_png(driver.get_screenshot_as_png()), x, y, w, h)
                        finally:
                            if action == 'press':  # let go away from the menu: no click
                                ActionChains(driver).move_by_offset(0, 400).release().perform()
                        pngdiff.check(self, what, shot, pngdiff.crop(ref, ax, ay, w, h), TOLERANCE, MIN_MATCH)


class Motion(unittest.TestCase):
    """Sub menus fade in within 150 ms where the visitor allows motion, and
    not at all where they ask for less, nor when the author left it off."""

    def test_fading(self):
        fading = looks_page('fading', 8, dict(smFadeIn=1))
        still = looks_page('still', 8, dict(smShadow=1))
        table = [(fading, 'no-preference', ('glidebar-fade', '0.15s')),
                 (fading, 'reduce', ('none', '0s')),
                 (still, 'no-preference', ('none', '0s'))]
        try:
            for page, preference, expected in table:
                with self.subTest(page=os.path.basename(page), motion=preference):
                    motion(preference)
                    open_page(page)
                    tap(mains()[1])
                    animation = driver.execute_script(
                        'const s = getComputedStyle(document.querySelector("applet .gb-open > .gb-sub"));'
                        'return [s.animationName, s.animationDuration];')
                    self.assertEqual(tuple(animation), expected)
        finally:
            motion('reduce')


class PagesFont(unittest.TestCase):
    """A look that takes the page's own font shows it; the others keep
    their own whatever the page says."""

    def test_page_font_reaches_its_labels_only(self):
        page = looks_page('pagefont', 8, dict(miFontFamily1=2, miFontPx1=15, siFontFamily1=1))
        text = read_text(page).replace('<head>', '<head><style>body{font-family:"Page Own Font",serif}</style>', 1)
        write_text(page, text)
        open_page(page)
        families = driver.execute_script(
            'const f = (e) => getComputedStyle(e).fontFamily;'
            'const main = document.querySelector("applet [role=menubar] > li > a");'
            'return [f(main), f(document.querySelector("applet"))];')
        self.assertEqual(families[0], '"Page Own Font", serif')
        tap(mains()[1])
        sub = driver.execute_script('return getComputedStyle(document.querySelector('
                                    '"applet .gb-open > .gb-sub a")).fontFamily')
        self.assertTrue(sub.startswith('"Segoe UI"'), sub)


if __name__ == '__main__':
    unittest.main()
